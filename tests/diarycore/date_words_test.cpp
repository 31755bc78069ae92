// Dates in words in both languages, and the day the weeks start on.
#include "diarycore/date_words.h"

#include <gtest/gtest.h>

#include "diarycore/date_header_text.h"
#include "diarycore/week_start.h"

namespace {

constexpr ProgramLanguage kJa = ProgramLanguage::Japanese, kEn = ProgramLanguage::English;

// The handheld's header keeps its form whatever the weekday; English writes the date in
// full. A key's own weekday is written, even one its date disagrees with (a clock set
// wrongly), and a weekday or month out of range leaves its word out rather than reading
// past the table.
TEST(DateWords, DatesInEachLanguage) {
    struct Case {
        DayKey day;
        ProgramLanguage language;
        std::u16string_view header, longDate, month;
    };
    const Case cases[] = {
        {{2000, 6, 7, 3}, kJa, u"2000-6-7    ", u"2000年6月7日(水)", u"2000年6月"},
        {{2026, 12, 7, 1}, kEn, u"Monday, 7 December 2026", u"Monday, 7 December 2026", u"December 2026"},
        {{2026, 1, 31, 6}, kEn, u"Saturday, 31 January 2026", u"Saturday, 31 January 2026", u"January 2026"},
        {{2026, 12, 7, 0}, kJa, u"2026-12-7    ", u"2026年12月7日(日)", u"2026年12月"},
        {{2026, 12, 7, 9}, kJa, u"2026-12-7  ？ ", u"2026年12月7日()", u"2026年12月"},
        {{2026, 13, 7, 2}, kEn, u"Tuesday, 7  2026", u"Tuesday, 7  2026", u" 2026"},
    };
    for (const Case& c : cases) {
        const DayKey& d = c.day;
        EXPECT_EQ(DateHeaderText(d, c.language), c.header) << d.month << "/" << d.day;
        EXPECT_EQ(LongDateText(d, c.language), c.longDate) << d.month << "/" << d.day;
        EXPECT_EQ(MonthTitleText(d.year, d.month, c.language), c.month) << d.month << "/" << d.day;
    }
    EXPECT_EQ(ShortWeekdayWord(4, kJa), u"木");
    EXPECT_EQ(ShortWeekdayWord(4, kEn), u"Thu");
    EXPECT_EQ(WeekdayWord(-1, kEn), u"");
    EXPECT_EQ(MonthWord(0, kJa), u"");
}

// The choice as the file keeps it, a name the program does not know read as Sunday, and
// the system's first day counted from Monday as Windows counts it.
TEST(WeekStart, ChoicesAndTheirFirstWeekdays) {
    struct Case {
        std::u16string_view line;
        int systemFirstDay;
        std::int32_t firstWeekday;
    };
    const Case cases[] = {
        {u"", 0, 0},
        {u"week_starts=sunday", 0, 0},
        {u"week_starts=monday", 6, 1},
        {u"week_starts=system", 0, 1},
        {u"week_starts=system", 6, 0},
        {u"week_starts=system", 5, 6},
        {u"week_starts=system", 7, 0},
        {u"week_starts=Monday", 0, 0},
        {u"week_starts=tuesday", 1, 0},
    };
    for (const Case& c : cases) {
        const std::string line(c.line.begin(), c.line.end());
        const Settings settings(std::span(reinterpret_cast<const std::uint8_t*>(line.data()), line.size()));
        EXPECT_EQ(FirstWeekday(ReadWeekStart(settings), c.systemFirstDay), c.firstWeekday)
            << line << " " << c.systemFirstDay;
    }
}

}  // namespace
