#include "diarycore/week_start.h"

#include <algorithm>
#include <string>

std::string_view WeekStartName(WeekStart start) {
    switch (start) {
    case WeekStart::Monday: return "monday";
    case WeekStart::FollowSystem: return "system";
    case WeekStart::Sunday: break;
    }
    return "sunday";
}

std::optional<WeekStart> WeekStartNamed(std::u16string_view name) {
    for (WeekStart start : {WeekStart::Sunday, WeekStart::Monday, WeekStart::FollowSystem}) {
        const std::string_view known = WeekStartName(start);
        if (std::equal(name.begin(), name.end(), known.begin(), known.end())) return start;
    }
    return std::nullopt;
}

WeekStart ReadWeekStart(const Settings& settings) {
    const std::optional<std::u16string> value = settings.Text("week_starts");
    return value ? WeekStartNamed(*value).value_or(WeekStart::Sunday) : WeekStart::Sunday;
}

void KeepWeekStart(Settings& settings, WeekStart start) {
    const std::string_view name = WeekStartName(start);
    settings.SetText("week_starts", std::u16string(name.begin(), name.end()));
}

std::int32_t FirstWeekday(WeekStart start, int systemFirstDay) {
    switch (start) {
    case WeekStart::Monday: return 1;
    case WeekStart::FollowSystem:
        // Windows counts from Monday, the calendar from Sunday.
        return systemFirstDay >= 0 && systemFirstDay <= 6 ? (systemFirstDay + 1) % 7 : 0;
    case WeekStart::Sunday: break;
    }
    return 0;
}
