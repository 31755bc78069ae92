#include "diarycore/record.h"

#include <gtest/gtest.h>

#include "support/scratch_files.h"

#include <string>
#include <tuple>
#include <vector>

namespace {

using namespace std::literals;

struct RecordCase {
    const char* name;
    std::string_view file;
    RecordStatus status;
    std::uint8_t weather, mood, place;
    std::size_t extraSize;
    std::u16string_view text;
    std::string_view savedAgain;  // bytes written back for an unchanged page
};

// Records as this program writes them and files it never writes, read within their bytes.
const RecordCase kRecords[] = {
    {"page",
     "DN\x06\x02\x04\x03"
     "abc\0"sv,
     RecordStatus::Ok, 2, 4, 3, 0, u"abc",
     "DN\x06\x02\x04\x03"
     "abc\0"sv},
    {"longer header",
     "DN\x08\x01\x05\x07\xAB\xCD"
     "hi\0"sv,
     RecordStatus::Ok, 1, 5, 7, 2, u"hi",
     "DN\x08\x01\x05\x07\xAB\xCD"
     "hi\0"sv},
    {"empty file", ""sv, RecordStatus::NoMagic, 0, 0, 0, 0, u"", "DN\x06\0\0\0\0"sv},
    {"one byte", "D"sv, RecordStatus::NoMagic, 0, 0, 0, 0, u"", "DN\x06\0\0\0\0"sv},
    {"other magic", "ND\x06\x01\x02\x03x"sv, RecordStatus::NoMagic, 0, 0, 0, 0, u"", "DN\x06\0\0\0\0"sv},
    {"magic only", "DN"sv, RecordStatus::Ok, 0, 0, 0, 0, u"", "DN\x06\0\0\0\0"sv},
    {"three bytes", "DN\x06"sv, RecordStatus::Ok, 0, 0, 0, 0, u"", "DN\x06\0\0\0\0"sv},
    {"offset 4",
     "DN\x04\x02"
     "ab"sv,
     RecordStatus::Ok, 2, 0, 0, 0, u"ab",
     "DN\x06\x02\0\0"
     "ab\0"sv},
    {"offset 0", "DN\x00xyz"sv, RecordStatus::Ok, 0, 0, 0, 0, u"xyz", "DN\x06\0\0\0xyz\0"sv},
    {"offset past the end", "DN\x09\x01\x02\x03\x07"sv, RecordStatus::Ok, 1, 2, 3, 3, u"",
     "DN\x09\x01\x02\x03\x07\0\0\0"sv},
    {"header cut short", "DN\x06\x01"sv, RecordStatus::Ok, 1, 0, 0, 0, u"", "DN\x06\x01\0\0\0"sv},
    {"no NUL",
     "DN\x06\x01\x02\x03"
     "abc"sv,
     RecordStatus::Ok, 1, 2, 3, 0, u"abc",
     "DN\x06\x01\x02\x03"
     "abc\0"sv},
    {"text after NUL", "DN\x06\0\0\0ab\0cd"sv, RecordStatus::Ok, 0, 0, 0, 0, u"ab", "DN\x06\0\0\0ab\0"sv},
    {"indexes out of range", "DN\x06\x09\xFF\xFF"sv, RecordStatus::Ok, 9, 255, 255, 0, u"", "DN\x06\x09\xFF\xFF\0"sv},
    {"lead byte at the end", "DN\x06\0\0\0a\x82"sv, RecordStatus::Ok, 0, 0, 0, 0, u"a\u30FB",
     "DN\x06\0\0\0a\x81\x45\0"sv},
    // The whole text after the handheld's, when it has characters the code page has not.
    {"whole text", "DN\x06\0\0\0Caf?\0DBU8Caf\xC3\xA9\0"sv, RecordStatus::Ok, 0, 0, 0, 0, u"Café",
     "DN\x06\0\0\0Caf?\0DBU8Caf\xC3\xA9\0"sv},
    {"changed by the handheld since", "DN\x06\0\0\0Cafe\0DBU8Caf\xC3\xA9\0"sv, RecordStatus::Ok, 0, 0, 0, 0, u"Cafe",
     "DN\x06\0\0\0Cafe\0"sv},
    {"whole text no UTF-8", "DN\x06\0\0\0Caf?\0DBU8Caf\xC3\0"sv, RecordStatus::Ok, 0, 0, 0, 0, u"Caf?",
     "DN\x06\0\0\0Caf?\0"sv},
    {"whole text the code page holds", "DN\x06\0\0\0ab\0DBU8ab"sv, RecordStatus::Ok, 0, 0, 0, 0, u"ab",
     "DN\x06\0\0\0ab\0"sv},
};

TEST(DayRecordBytes, RecordsAreReadSafelyAndWrittenBack) {
    for (const RecordCase& c : kRecords) {
        SCOPED_TRACE(c.name);
        // An exact-size heap copy, so AddressSanitizer sees any read past the end.
        const Bytes file = BytesOf(c.file);
        DayRecord record;
        record.text = u"left over";
        record.weather = 4;
        EXPECT_EQ(ParseRecord(file, record), c.status);
        EXPECT_EQ(std::tuple(record.weather, record.mood, record.place, record.extraHeader.size()),
                  std::tuple(c.weather, c.mood, c.place, c.extraSize));
        EXPECT_EQ(record.text, c.text);
        EXPECT_EQ(SerializeRecord(record).bytes, BytesOf(c.savedAgain));
    }

    // Out-of-range indexes stay in the record; the page shows icon 0 and no place.
    EXPECT_EQ(std::tuple(ShownWeatherIcon(5), ShownWeatherIcon(6), ShownMoodIcon(5), ShownMoodIcon(200)),
              std::tuple(5u, 0u, 5u, 0u));
    EXPECT_EQ(std::tuple(ShownPlaceItem(7), ShownPlaceItem(8), ShownPlaceItem(255)), std::tuple(7, -1, -1));
}

TEST(DayRecordSave, WordsInAnyScriptAreKeptWhole) {
    const std::u16string words = u"Café Müller 😀\r\n日記 ß ø 한국어";
    const Bytes saved = SerializeRecord({1, 2, 3, {}, words}).bytes;
    DayRecord record;
    ASSERT_EQ(ParseRecord(saved, record), RecordStatus::Ok);
    EXPECT_EQ(record.text, words);

    // What the handheld reads: its own text up to the first NUL, "?" where it has no character.
    const std::string_view handheld =
        "DN\x06\x01\x02\x03"
        "Caf? M?ller ?\r\n\x93\xfa\x8b\x4c ? ? ???\0"sv;
    ASSERT_GT(saved.size(), handheld.size());
    EXPECT_EQ(Bytes(saved.begin(), saved.begin() + handheld.size()), BytesOf(handheld));
}

TEST(DayRecordSave, LongTextsAreCutAtTheLimit) {
    const std::u16string limit(kRecordTextLimit, u'a');
    const std::u16string over = limit + u"b";
    EXPECT_EQ(CutRecordText(over), limit);
    EXPECT_EQ(CutRecordText(limit), limit);

    // An emoji across the limit is dropped whole rather than cut in half.
    std::u16string straddling(kRecordTextLimit - 1, u'a');
    straddling += u"😀z";
    EXPECT_EQ(CutRecordText(straddling), std::u16string(kRecordTextLimit - 1, u'a'));
}

}  // namespace
