// The diary's search: how text is folded, where a match's line is cut, and a folder of
// Japanese and Latin pages with damaged and unreadable records among them.
#include "diarycore/diary_search.h"

#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>
#endif

#include "diarycore/record.h"
#include "diarycore/search_folding.h"
#include "support/scratch_files.h"

namespace fs = std::filesystem;

namespace {

TEST(SearchFolding, FoldsCaseWidthAndKana) {
    constexpr std::pair<std::u16string_view, std::u16string_view> kCases[] = {
        {u"Kyoto TRIP", u"kyoto trip"},
        {u"ＡＢＣ１２３！", u"abc123!"},  // full-width ASCII
        {u"ａｂｃ", u"abc"},
        {u"東京　駅", u"東京 駅"},  // ideographic space
        {u"カタカナ", u"かたかな"},
        {u"ｶﾀｶﾅ", u"かたかな"},      // half-width katakana
        {u"ｶﾞｯｺｳ", u"がっこう"},     // a voiced mark joins its kana
        {u"ﾊﾟﾝ ﾋﾞﾙ", u"ぱん びる"},  // semi-voiced and voiced on the ha row
        {u"ｳﾞｧｲｵﾘﾝ", u"ゔぁいおりん"},
        {u"ﾃﾞﾄﾞﾂﾞ", u"でどづ"},  // after small tsu the row shifts by one
        {u"ｱﾞ", u"あ゛"},        // a mark its kana cannot take stays
        {u"ﾞｶ", u"゛か"},
        {u"ｰ｡｢｣､･", u"ー。「」、・"},
        {u"か\u3099は\u309A", u"がぱ"},  // combining marks
        {u"ヴァージョン ヶ月", u"ゔぁーじょん ゖ月"},
        {u"ÉCOLE ΑΘΗΝΑ МОСКВА Ё ×", u"école αθηνα москва ё ×"},
        {u"漢字 123 ✓", u"漢字 123 ✓"},  // anything else is kept
    };
    for (const auto& [text, folded] : kCases)
        EXPECT_EQ(FoldForSearch(text), folded) << std::string(text.begin(), text.end());

    // Each folded unit knows where it came from, a joined mark included.
    std::vector<std::uint32_t> origins;
    EXPECT_EQ(FoldForSearch(u"aｶﾞb", &origins), u"aがb");
    EXPECT_EQ(origins, (std::vector<std::uint32_t>{0, 1, 3}));

    EXPECT_EQ(SearchWords(u"  Ｋｙｏｔｏ　ｶﾞｯｺｳ\tTrip \r\n"),
              (std::vector<std::u16string>{u"kyoto", u"がっこう", u"trip"}));
    EXPECT_TRUE(SearchWords(u" 　\t").empty());
}

TEST(SearchText, AllWordsInAnyOrderFromTheFirstMatch) {
    const std::vector<std::u16string> words = {u"sea", u"うみ"};
    EXPECT_EQ(FindWords(u"うみ and the sea", words), 0u);
    EXPECT_EQ(FindWords(u"the sea, うみ", words), 4u);
    EXPECT_FALSE(FindWords(u"the sea alone", words));
    EXPECT_FALSE(FindWords(u"anything", {}));

    const std::u16string text = u"first line\r\nsecond\tline with the word\r\nthird";
    const TextLine line = LineAround(text, text.find(u"word"));
    EXPECT_EQ(line.text, u"second line with the word");
    EXPECT_EQ(line.at, 21u);
    EXPECT_EQ(LineAround(text, 0).text, u"first line");
    EXPECT_EQ(LineAround(text, text.size()).text, u"third");
    EXPECT_EQ(LineAround(u"a\nb", 2).text, u"b");

    // A long line is cut around the match, a third of the room before it.
    const TextLine longLine{u"0123456789abcdefghijKLMNOPQRSTUVWXYZ", 20};
    EXPECT_EQ(LineExcerpt(longLine, 12),
              u"…gh"
              u"ijKLMNOP…");
    EXPECT_EQ(LineExcerpt({longLine.text, 2}, 12), u"0123456789a…");
    EXPECT_EQ(LineExcerpt({longLine.text, 35}, 12), u"…PQRSTUVWXYZ");
    EXPECT_EQ(LineExcerpt({u"short", 1}, 12), u"short");
    // A cut never splits a surrogate pair.
    EXPECT_EQ(LineExcerpt({u"ab\U0001F600cdefgh", 0}, 4), u"ab…");
}

// A record that cannot be opened: held without sharing on Windows, a link to itself elsewhere.
#ifdef _WIN32
struct UnreadableFile {
    explicit UnreadableFile(const fs::path& path)
        : handle(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr)) {}
    ~UnreadableFile() { CloseHandle(handle); }
    HANDLE handle;
};
#else
struct UnreadableFile {
    explicit UnreadableFile(const fs::path& path) { fs::create_symlink(path.filename(), path); }
};
#endif

// A diary with Latin and Japanese pages in a folder of its own.
class SearchFolder : public ::testing::Test {
protected:
    void Write(const char* name, std::u16string text, std::uint8_t place = 0) {
        WriteFileBytes(folder_ / name, SerializeRecord({0, 0, place, {}, std::move(text)}).bytes);
    }
    std::vector<std::u16string> Days(const DiarySearch& search) {
        std::vector<std::u16string> days;
        for (const SearchHit& hit : search.hits) days.push_back(IsoDateText(hit.day));
        return days;
    }
    ScratchFolder folder_;
};

TEST_F(SearchFolder, NewestFirstWithPlaceAndLineAndUnreadableDaysCounted) {
    Write("19991231.dbt", u"Last day of the year.\r\n海と、うみ。", 6);
    Write("20000101.DBT", u"ウミを見た\r\nNew year", 1);
    Write("20000215.dbt", u"山と海", 3);  // kanji are not kana
    Write("20000301.dbt", u"ｳﾐ and mountains\r\nthe SEA again", 200);
    Write("20000302.bmp", u"うみ");                                   // pictures are not searched
    WriteFileText(folder_ / "20000303.dbt", "XY not a record うみ");  // damaged: skipped and counted
    fs::create_directory(folder_ / "20000304.dbt");                   // named like a record, cannot be read
    const UnreadableFile held(folder_ / "20000305.dbt");
    Write("2000-03-06.dbt", u"うみ");

    DiarySearch search = SearchDiary(folder_.Path(), SearchWords(u"ウミ"));
    EXPECT_TRUE(search.folderListed);
    EXPECT_EQ(Days(search), (std::vector<std::u16string>{u"2000-03-01", u"2000-01-01", u"1999-12-31"}));
    EXPECT_EQ(search.unreadableDays, 3);
    ASSERT_EQ(search.hits.size(), 3u);
    for (auto [hit, line, place] :
         {std::tuple{0, u"ｳﾐ and mountains", u""}, {1, u"ウミを見た", u"FRND"}, {2, u"海と、うみ。", u"TVL"}}) {
        EXPECT_EQ(search.hits[hit].line.text, line);
        EXPECT_EQ(PlaceCodeText(search.hits[hit].place), place);
    }
    EXPECT_EQ(search.hits[2].line.at, 3u);
    const DayKey newYear = search.hits[1].day;
    EXPECT_EQ(std::tuple(newYear.year, newYear.month, newYear.day, newYear.dayOfWeek), std::tuple(2000, 1, 1, 6));

    // A range of days, both ends included.
    EXPECT_EQ(Days(SearchDiary(folder_.Path(), SearchWords(u"うみ"), {19991231, 20000101})),
              (std::vector<std::u16string>{u"2000-01-01", u"1999-12-31"}));

    EXPECT_FALSE(SearchDiary(folder_ / "missing", SearchWords(u"うみ")).folderListed);

    // The page on show stands for its day as typed: over a record, between two, or emptied.
    DiaryRecords records = ReadDiaryRecords(folder_.Path());
    PutPageOnShow(records, {20000101, 0, u"typed over ウミ", {}});
    PutPageOnShow(records, {20000220, 0, u"a new page: うみ", {}});
    PutPageOnShow(records, {19991231, 0, u"", {}});
    EXPECT_EQ(Days(SearchDiary(records, SearchWords(u"うみ"))),
              (std::vector<std::u16string>{u"2000-03-01", u"2000-02-20", u"2000-01-01"}));
    EXPECT_EQ(records.entries.size(), 4u);
}

}  // namespace
