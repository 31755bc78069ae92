// A month as the Month view lays it out: weeks in rows, each row starting on the same
// weekday, and the moves of its selection.
#pragma once

#include <cstdint>

#include "diarycore/calendar.h"

struct MonthGrid {
    std::int32_t year = 0;
    std::int32_t month = 0;
    int firstColumn = 0;  // the column of the 1st
    int days = 0;         // in the month
    int rows = 0;         // weeks it touches: 4 to 6

    int Row(int day) const { return (firstColumn + day - 1) / 7; }
    int Column(int day) const { return (firstColumn + day - 1) % 7; }
    // The day in a cell, or 0 where the month has none.
    int DayAt(int row, int column) const;
};

// `firstWeekday` is the weekday of the rows' first column, 0 for Sunday to 6 for
// Saturday, as the calendar numbers them.
MonthGrid LayOutMonth(std::int32_t year, std::int32_t month, int firstWeekday);

// The day `days` days from `from` (negative: earlier), in any month.
DayKey DayAfter(const DayKey& from, int days);

// The same day of the month `months` months away, or that month's last day when it is
// shorter (31 January and one month on: 28 or 29 February).
DayKey SameDayInMonth(const DayKey& from, int months);
