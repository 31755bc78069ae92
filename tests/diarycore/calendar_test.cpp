#include "diarycore/calendar.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

// What no real date shows: a weekday that disagrees with its date (a clock set wrongly)
// keeps disagreeing, and a bad month never ends, the day counting on.
TEST(Calendar, WrongWeekdaysAndBadMonthsAreCarriedOn) {
    DayKey wrongWeekday{2000, 6, 7, 6};
    NextDay(wrongWeekday);
    EXPECT_EQ(std::pair(wrongWeekday.day, wrongWeekday.dayOfWeek), std::pair(8, 0));
    PreviousDay(wrongWeekday);
    EXPECT_EQ(std::pair(wrongWeekday.day, wrongWeekday.dayOfWeek), std::pair(7, 6));

    EXPECT_EQ(DaysInMonth(2001, 0), 0xFFFFFFFFu);
    EXPECT_EQ(DaysInMonth(2001, 13), 0xFFFFFFFFu);
    DayKey badMonth{2001, 13, 31, 2};
    NextDay(badMonth);
    EXPECT_EQ(std::pair(badMonth.month, badMonth.day), std::pair(13, 32));
}

// Weekdays of typed dates and file names: across the year 0's leap day into the year 1
// (negative years round down), and at both ends of the four-digit years.
TEST(Calendar, WeekdaysOfDatesFromTheYearZeroOn) {
    struct Case {
        std::int32_t year, month, day, weekday;
    };
    const Case cases[] = {
        {0, 1, 1, 6},  // a Saturday
        {0, 2, 28, 1}, {0, 2, 29, 2},   {0, 3, 1, 3},     {0, 12, 31, 0},
        {1, 1, 1, 1},  {1970, 1, 1, 4}, {2000, 2, 29, 2}, {9999, 12, 31, 5},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WeekdayOfDate(c.year, c.month, c.day), c.weekday) << c.year << "-" << c.month << "-" << c.day;
    }
    EXPECT_EQ(DayNumber(1, 1, 1) - DayNumber(0, 1, 1), 366) << "the year 0 is a leap year";
}

TEST(Calendar, DayFileNamesInAnyFolder) {
    const DayKey june7{2000, 6, 7, 3};
    EXPECT_EQ(DayFileName({987, 1, 2, 0}, u"jpg"), u"09870102.jpg");
    const DayFilePair inFolder = DayFileNames(u"C:\\日記", june7);
    EXPECT_EQ(inFolder.record, u"C:\\日記\\20000607.dbt");
    EXPECT_EQ(inFolder.picture, u"C:\\日記\\20000607.bmp");

    // Run from the root folder, the folder is empty.
    EXPECT_EQ(DayFilePath(u"", june7, u"dbt"), u"\\20000607.dbt");
    // Far past the 256 units of a MAX_PATH buffer.
    const std::u16string deep = u"\\\\?\\C:" + std::u16string(600, u'd');
    EXPECT_EQ(DayFilePath(deep, june7, u"bmp"), deep + u"\\20000607.bmp");
}

}  // namespace
