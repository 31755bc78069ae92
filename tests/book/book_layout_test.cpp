// The book's pages from a table of days, measured with a plain measure: every unit of
// text as wide as a fifth of its size, so where a line breaks is known to the test.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "book/book_layout.h"
#include "book/paper.h"
#include "diarycore/picture_bytes.h"

namespace {

constexpr ProgramLanguage kEn = ProgramLanguage::English;

class EvenMeasure : public TextMeasure {
public:
    double LineHeight(double fontSize, bool) override { return fontSize / 2; }
    double Width(std::u16string_view text, double fontSize, bool) override { return text.size() * fontSize / 5; }
    std::vector<std::size_t> BreakLines(std::u16string_view paragraph, double fontSize, double width) override {
        const auto perLine = static_cast<std::size_t>(width / (fontSize / 5));
        std::vector<std::size_t> starts;
        for (std::size_t at = perLine; at < paragraph.size(); at += perLine) starts.push_back(at);
        return starts;
    }
};

BookDay Day(std::int32_t yyyymmdd, std::u16string text, bool picture, bool record = true) {
    BookDay day;
    day.key = DayKeyOfNumber(yyyymmdd);
    day.hasRecord = record;
    day.record = {3, 1, 2, {}, std::move(text)};
    if (picture) day.picture = "picture.bmp";
    return day;
}

// The texts of a page in its order, and whether one of them is `text`.
bool Holds(const BookPage& page, std::u16string_view text) {
    return std::any_of(page.texts.begin(), page.texts.end(), [&](const PlacedText& t) { return t.text == text; });
}

// The body text of a day as the pages carry it, lines joined: the layout neither loses
// nor repeats a character. Only the text size is the body's.
std::u16string BodyText(const Book& book) {
    std::u16string body;
    for (const BookPage& page : book.pages)
        for (const PlacedText& text : page.texts)
            if (text.fontSize == kTextSize) body += text.text;
    return body;
}

}  // namespace

// Each row a run of days, the pages it makes and what its first page shows.
TEST(BookLayout, DaysOnPages) {
    std::u16string long_text;
    for (int n = 0; long_text.size() < 10000; ++n) long_text += u"word" + std::u16string(1, u'a' + n % 26) + u' ';
    long_text.resize(10000);
    const std::u16string japanese = u"今日は公園まで歩いた。\r\n桜がきれいで、写真を何枚も撮った。𠮷";
    struct Row {
        const char* name;
        std::vector<BookDay> days;
        Paper paper;
        bool twoPerPage;
        std::size_t pages;
        std::u16string body;  // the days' texts, lines joined
    };
    const Row rows[] = {
        {"picture only", {Day(20261207, u"", true, false)}, Paper::A4, false, 1, u""},
        {"text only", {Day(20261207, u"a short day\r\n\r\n", false)}, Paper::A5, false, 1, u"a short day"},
        {"ten thousand characters", {Day(20261207, long_text, true)}, Paper::A4, false, 4, long_text},
        {"Japanese",
         {Day(20261207, japanese, false)},
         Paper::Letter,
         false,
         1,
         u"今日は公園まで歩いた。桜がきれいで、写真を何枚も撮った。𠮷"},
        {"two a page",
         {Day(20261205, u"one", true), Day(20261206, u"two", true), Day(20261207, u"three", false)},
         Paper::A4,
         true,
         2,
         u"onetwothree"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EvenMeasure measure;
        const Book book = LayOutBook(row.days, SizeOfPaper(row.paper), row.twoPerPage, measure, kEn);
        ASSERT_EQ(book.pages.size(), row.pages);
        EXPECT_EQ(BodyText(book), row.body);
        const double margin = MarginOf(book.paper);
        for (std::size_t n = 0; n < book.pages.size(); ++n) {
            const BookPage& page = book.pages[n];
            const std::u16string number =
                u"Page " + std::u16string(1, u'1' + n) + u" of " + std::u16string(1, u'0' + book.pages.size());
            EXPECT_TRUE(Holds(page, number)) << n;
            // Everything inside the margins; only the footer below the last line of text.
            for (const PlacedText& text : page.texts) {
                EXPECT_GE(text.left, margin - 1e-9);
                EXPECT_LE(text.left + text.width, book.paper.width - margin + 1e-9);
                EXPECT_LE(text.top + measure.LineHeight(text.fontSize, false), book.paper.height - margin + 1e-9);
            }
            // A page after the first of a day goes on under its title.
            if (n > 0 && !row.twoPerPage) { EXPECT_TRUE(Holds(page, u"Monday, 7 December 2026 (continued)")) << n; }
        }
        EXPECT_TRUE(Holds(book.pages.front(), BookDayTitle(row.days.front().key, kEn)));
    }
}

// What the first day shows, and that nothing leaves a gap for what a day lacks.
TEST(BookLayout, OnlyWhatADayHasTakesRoom) {
    EvenMeasure measure;
    const PaperSize a4 = SizeOfPaper(Paper::A4);
    const double titleBottom = MarginOf(a4) + measure.LineHeight(kTitleSize, true);

    const Book pictureOnly = LayOutBook({Day(20261207, u"", true, false)}, a4, false, measure, kEn);
    const BookPage& drawn = pictureOnly.pages[0];
    ASSERT_EQ(drawn.pictures.size(), 1u);
    EXPECT_TRUE(drawn.icons.empty());
    EXPECT_LT(drawn.pictures[0].top - titleBottom, 3.0) << "no row of details above a day without a record";
    // Whole blocks of about half the paper's width, on the quarter points its blocks are.
    const double width = kPictureWidth * drawn.pictures[0].block;
    EXPECT_NEAR(width / a4.width, 0.5, 0.1);
    const double quarters = drawn.pictures[0].left * 288 / 25.4;
    EXPECT_NEAR(quarters, std::round(quarters), 1e-6);

    const Book textOnly = LayOutBook({Day(20261207, u"words", false)}, a4, false, measure, kEn);
    const BookPage& written = textOnly.pages[0];
    EXPECT_TRUE(written.pictures.empty());
    // Rain (3) and mood 1, each its icon and its name, and the place's name (2).
    ASSERT_EQ(written.icons.size(), 2u);
    EXPECT_EQ(written.icons[0].strip, IconStrip::Weather);
    EXPECT_EQ(written.icons[0].index, 3u);
    EXPECT_EQ(written.icons[1].strip, IconStrip::Mood);
    EXPECT_EQ(written.icons[1].index, 1u);
    EXPECT_TRUE(Holds(written, u"Sports"));
    EXPECT_TRUE(Holds(written, u"Rain"));
    EXPECT_TRUE(Holds(written, u"Calm"));
    const auto line = std::find_if(written.texts.begin(), written.texts.end(),
                                   [](const PlacedText& t) { return t.text == u"words"; });
    ASSERT_NE(line, written.texts.end());
    EXPECT_LT(line->top - written.icons[0].top, 10.0) << "the text follows the details without a picture's room";

    // Two a page: the second day in the lower half, the third on a page of its own.
    const Book two = LayOutBook({Day(20261205, u"", true), Day(20261206, u"", true), Day(20261207, u"", true)}, a4,
                                true, measure, kEn);
    ASSERT_EQ(two.pages.size(), 2u);
    ASSERT_EQ(two.pages[0].pictures.size(), 2u);
    EXPECT_GT(two.pages[0].pictures[1].top, a4.height / 2);
    EXPECT_EQ(two.pages[1].pictures[0].day, 2u);
    EXPECT_TRUE(Holds(two.pages[1], u"Saturday, 5 December 2026 to Monday, 7 December 2026"));
    const Book japanese = LayOutBook({Day(20261207, u"words", false)}, a4, false, measure, ProgramLanguage::Japanese);
    EXPECT_TRUE(Holds(japanese.pages[0], u"2026年12月7日(月)"));
}
