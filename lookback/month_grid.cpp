#include "lookback/month_grid.h"

#include <algorithm>

int MonthGrid::DayAt(int row, int column) const {
    const int day = row * 7 + column - firstColumn + 1;
    return day >= 1 && day <= days ? day : 0;
}

MonthGrid LayOutMonth(std::int32_t year, std::int32_t month, int firstWeekday) {
    MonthGrid grid;
    grid.year = year;
    grid.month = month;
    grid.firstColumn = (WeekdayOfDate(year, month, 1) - firstWeekday + 7) % 7;
    grid.days = static_cast<int>(DaysInMonth(year, month));
    grid.rows = (grid.firstColumn + grid.days + 6) / 7;
    return grid;
}

DayKey DayAfter(const DayKey& from, int days) {
    DayKey day = from;
    for (; days > 0; --days) NextDay(day);
    for (; days < 0; ++days) PreviousDay(day);
    return day;
}

DayKey SameDayInMonth(const DayKey& from, int months) {
    std::int32_t index = from.year * 12 + (from.month - 1) + months;
    const std::int32_t year = index >= 0 ? index / 12 : (index - 11) / 12;
    const std::int32_t month = index - year * 12 + 1;
    const std::int32_t day = std::min<std::int32_t>(from.day, static_cast<std::int32_t>(DaysInMonth(year, month)));
    return {year, month, day, WeekdayOfDate(year, month, day)};
}
