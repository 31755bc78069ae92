#include "calendar.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

struct StepCase {
    DayKey from;
    DayKey next;  // NextDay(from); PreviousDay(next) must give from back
};

// Month ends, year ends and leap years. Weekdays follow the calendar except in the
// last row, whose key disagrees with its date (a clock set wrongly) and must keep it.
constexpr StepCase kSteps[] = {
    {{2000, 12, 31, 0}, {2001, 1, 1, 1}},
    {{2001, 2, 28, 3}, {2001, 3, 1, 4}},
    {{2000, 2, 28, 1}, {2000, 2, 29, 2}},
    {{2000, 2, 29, 2}, {2000, 3, 1, 3}},
    {{1900, 2, 28, 3}, {1900, 3, 1, 4}},
    {{2004, 2, 29, 0}, {2004, 3, 1, 1}},
    {{2000, 4, 30, 0}, {2000, 5, 1, 1}},
    {{2000, 1, 31, 1}, {2000, 2, 1, 2}},
    {{2000, 6, 7, 6}, {2000, 6, 8, 0}},
    {{2000, 6, 7, 3}, {2000, 6, 8, 4}},
};

TEST(Calendar, MonthLengthsAndStepsAcrossMonthAndYearEnds) {
    EXPECT_EQ(DaysInMonth(2000, 2), 29u);
    EXPECT_EQ(DaysInMonth(1900, 2), 28u);
    EXPECT_EQ(DaysInMonth(2004, 2), 29u);
    EXPECT_EQ(DaysInMonth(2001, 2), 28u);
    EXPECT_EQ(DaysInMonth(2001, 0), 0xFFFFFFFFu);
    EXPECT_EQ(DaysInMonth(2001, 13), 0xFFFFFFFFu);
    EXPECT_EQ(StepWeekday(6, +1), 0);
    EXPECT_EQ(StepWeekday(0, -1), 6);

    // A bad month never ends: the day just counts on.
    DayKey badMonth{2001, 13, 31, 2};
    NextDay(badMonth);
    EXPECT_EQ(badMonth.month, 13);
    EXPECT_EQ(badMonth.day, 32);

    for (const StepCase& c : kSteps) {
        SCOPED_TRACE(testing::Message() << c.from.year << "-" << c.from.month << "-" << c.from.day);
        DayKey key = c.from;
        NextDay(key);
        EXPECT_EQ(key.year, c.next.year);
        EXPECT_EQ(key.month, c.next.month);
        EXPECT_EQ(key.day, c.next.day);
        EXPECT_EQ(key.dayOfWeek, c.next.dayOfWeek);
        PreviousDay(key);
        EXPECT_EQ(key.year, c.from.year);
        EXPECT_EQ(key.month, c.from.month);
        EXPECT_EQ(key.day, c.from.day);
        EXPECT_EQ(key.dayOfWeek, c.from.dayOfWeek);
    }
}

// Four hundred Gregorian years are exactly 146,097 days, a whole number of weeks, so
// the walk must come back to the same date on the same weekday. Each step is checked
// against the standard library's calendar.
TEST(Calendar, FourHundredYearWalkMatchesReferenceCalendar) {
    using namespace std::chrono;
    const sys_days start = sys_days{year{1999} / December / 25};
    DayKey key{1999, 12, 25, static_cast<std::int32_t>(weekday{start}.c_encoding())};
    constexpr int kDays = 146097;

    auto matches = [&](sys_days expected) {
        year_month_day ymd{expected};
        return key.year == int{ymd.year()} && key.month == static_cast<int>(unsigned{ymd.month()}) &&
               key.day == static_cast<int>(unsigned{ymd.day()}) &&
               key.dayOfWeek == static_cast<int>(weekday{expected}.c_encoding());
    };
    for (int i = 1; i <= kDays; ++i) {
        NextDay(key);
        ASSERT_TRUE(matches(start + days{i})) << "forward step " << i << ": " << key.year << "-" << key.month
                                              << "-" << key.day << " weekday " << key.dayOfWeek;
    }
    EXPECT_TRUE(matches(start + days{kDays}));
    EXPECT_EQ(key.month, 12);
    EXPECT_EQ(key.day, 25);
    for (int i = kDays - 1; i >= 0; --i) {
        PreviousDay(key);
        ASSERT_TRUE(matches(start + days{i})) << "backward step to " << i << ": " << key.year << "-" << key.month
                                              << "-" << key.day << " weekday " << key.dayOfWeek;
    }
}

TEST(Calendar, DayFileNamesInAnyFolder) {
    const DayKey june7{2000, 6, 7, 3};
    EXPECT_EQ(DayFilePath(u"\\Program Files\\Diary", june7, u"dbt"), u"\\Program Files\\Diary\\20000607.dbt");
    EXPECT_EQ(DayFileName(june7, u"bmp"), u"20000607.bmp");
    EXPECT_EQ(DayFileName({987, 1, 2, 0}, u"jpg"), u"09870102.jpg");

    const DayFilePair inFolder = DayFileNames(u"C:\\日記", june7);
    EXPECT_EQ(inFolder.record, u"C:\\日記\\20000607.dbt");
    EXPECT_EQ(inFolder.picture, u"C:\\日記\\20000607.bmp");
    const DayFilePair bare = DayFileNames(june7);
    EXPECT_EQ(bare.record, u"20000607.dbt");
    EXPECT_EQ(bare.picture, u"20000607.bmp");

    // Run from the root folder, the folder is empty.
    EXPECT_EQ(DayFilePath(u"", june7, u"dbt"), u"\\20000607.dbt");

    // Far past the 256 units of a MAX_PATH buffer.
    const std::u16string deep = u"\\\\?\\C:" + std::u16string(600, u'd');
    EXPECT_EQ(DayFilePath(deep, june7, u"bmp"), deep + u"\\20000607.bmp");
}

}  // namespace
