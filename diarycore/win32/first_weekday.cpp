#include "diarycore/win32/first_weekday.h"

#include <windows.h>

#include "diarycore/week_start.h"

std::int32_t FirstWeekdayOf(const Settings& settings) {
    const WeekStart start = ReadWeekStart(settings);
    if (start != WeekStart::FollowSystem) return FirstWeekday(start, 0);
    wchar_t value[4] = {};
    const int systemFirstDay = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_IFIRSTDAYOFWEEK, value, 4) > 0 &&
                                       value[0] >= L'0' && value[0] <= L'6'
                                   ? value[0] - L'0'
                                   : 6;
    return FirstWeekday(start, systemFirstDay);
}
