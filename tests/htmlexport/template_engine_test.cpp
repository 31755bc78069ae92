// The template engine on text: what each template and run of days gives.
#include "template_engine.h"

#include <gtest/gtest.h>

#include "diarycore/record.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr DayKey k7June2000 = {2000, 6, 7, 3};  // a Wednesday

// A record as the day store writes it.
Bytes Record(std::uint8_t weather, std::uint8_t mood, std::uint8_t place, std::u16string text = u"") {
    return SerializeRecord({weather, mood, place, {}, std::move(text)}).bytes;
}

struct StoredDay {
    DayKey key;
    DayFiles files;
};

// The data folder of one case: the days it lists, every other day empty.
DayFilesReader ReaderOf(const std::vector<StoredDay>& days) {
    return [days](const DayKey& key) {
        for (const StoredDay& day : days)
            if (day.key.year == key.year && day.key.month == key.month && day.key.day == key.day) return day.files;
        return DayFiles{};
    };
}

// The loop markers around a body, each followed by the one character that is dropped.
std::u16string Loop(std::u16string_view body) { return u"<!for>|" + std::u16string(body) + u"<!next>|"; }

struct WorkedCase {
    const char* name;
    std::u16string templateText;
    DayKey firstDay;
    int dayCount;
    std::vector<StoredDay> days;
    HtmlExportResult result;
    std::u16string document;
};

const std::u16string kEveryImageBody = u"<!weather><!status><!place>\n";

const WorkedCase kWorkedCases[] = {
    {"one character between the markers: no body",
     u"H<!for>\r<!next>\r\nT",
     k7June2000,
     3,
     {},
     HtmlExportResult::Written,
     u"H\nT"},
    {"markers side by side, nothing after next", u"H<!for><!next>", k7June2000, 3, {}, HtmlExportResult::Written, u"H"},
    {"one character after next: no tail", u"<!for>|x<!next>\n", k7June2000, 2, {}, HtmlExportResult::Written, u"xx"},
    {"only the first for and next count",
     u"h<!for>|a<!day><!for>b<!next>|t<!next>c<!year>",
     k7June2000,
     1,
     {},
     HtmlExportResult::Written,
     u"ha7<!for>bt<!next>c<!year>"},
    {"capitals are plain text",
     Loop(u"<!DAY><!Year><!day><!Diary>"),
     k7June2000,
     1,
     {},
     HtmlExportResult::Written,
     u"<!DAY><!Year>7<!Diary>"},
    {"weekday outside the week", Loop(u"[<!dayofweek>]"), {2000, 6, 7, 9}, 1, {}, HtmlExportResult::Written, u"[？]"},
    {"a file without the record magic is no record",
     Loop(u"<!diary>|<!place>"),
     k7June2000,
     1,
     {{k7June2000, {Bytes{'N', 'D', 6, 1, 1, 1, 'x', 0}}}},
     HtmlExportResult::Written,
     u"日記がありません|<!place>"},
    {"weather and mood beyond their images, places beyond the codes",
     Loop(kEveryImageBody),
     k7June2000,
     2,
     {{k7June2000, {Record(6, 6, 8)}}, {{2000, 6, 6}, {Record(255, 255, 7)}}},
     HtmlExportResult::Written,
     u"<img src=\"weather.gif\" alt=\"天気\"><img src=\"max.gif\" alt=\"絶好調\">LIB\n"
     u"<img src=\"weather.gif\" alt=\"天気\"><img src=\"max.gif\" alt=\"絶好調\">OTH\n"},
    {"a record cut short reads the missing bytes as 0",
     Loop(kEveryImageBody + u"[<!diary>]"),
     k7June2000,
     2,
     {{k7June2000, {Bytes{'D', 'N', 6, 3}}}, {{2000, 6, 6}, {Bytes{'D', 'N', 40, 1, 2, 3, 'x'}}}},
     HtmlExportResult::Written,
     u"<img src=\"rain.gif\" alt=\"雨\"><img src=\"max.gif\" alt=\"絶好調\">LIB\n[]"
     u"<img src=\"fine.gif\" alt=\"晴れ\"><img src=\"blue.gif\" alt=\"ブルー\">SL\n[]"},
    {"tags inside a text: only the later steps fill them",
     Loop(u"<!diary>"),
     k7June2000,
     1,
     {{k7June2000,
       {Record(1, 1, 1, u"<!weather><!status><!place><!diary>|<!year>-<!month>-<!day><!dayofweek><!picture>"), true}}},
     HtmlExportResult::Written,
     u"<!weather><!status><!place><!diary>|2000-6-7 <img src=\"20000607.bmp\" alt=\"絵\">\r\n"},
    {"the picture of a day with a BMP",
     Loop(u"<!picture><!picture>"),
     k7June2000,
     1,
     {{k7June2000, {{}, true}}},
     HtmlExportResult::Written,
     u"<img src=\"20000607.bmp\" alt=\"絵\">\r\n<img src=\"20000607.bmp\" alt=\"絵\">\r\n"},
    {"no next", u"<!for> x", k7June2000, 1, {}, HtmlExportResult::LoopMarkerMissing, u""},
    {"no for", u"x <!next>", k7June2000, 1, {}, HtmlExportResult::LoopMarkerMissing, u""},
    {"next before for", u"<!next>|<!for>|", k7June2000, 1, {}, HtmlExportResult::NextBeforeFor, u""},
    {"the first next counts, not a later one",
     u"<!next><!for>|<!next>|",
     k7June2000,
     1,
     {},
     HtmlExportResult::NextBeforeFor,
     u""},
};

}  // namespace

TEST(TemplateEngine, WorkedCases) {
    for (const WorkedCase& c : kWorkedCases) {
        SCOPED_TRACE(c.name);
        HtmlDiary diary = ExpandDiaryTemplate(c.templateText, c.firstDay, c.dayCount, false, ReaderOf(c.days));
        EXPECT_EQ(diary.result, c.result);
        EXPECT_EQ(diary.text, c.document);
    }
}
