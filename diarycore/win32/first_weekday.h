// The weekday the diary's weeks start on, as the calendars and views of the window code
// take it.
#pragma once

#include <cstdint>

#include "diarycore/settings.h"

// 0 = Sunday ... 6 = Saturday: the settings' choice, the user's locale's for "as Windows".
std::int32_t FirstWeekdayOf(const Settings& settings);

// The same as a month calendar counts it (MCM_SETFIRSTDAYOFWEEK): 0 = Monday ... 6 = Sunday.
inline int CalendarFirstDay(std::int32_t firstWeekday) { return (firstWeekday + 6) % 7; }
