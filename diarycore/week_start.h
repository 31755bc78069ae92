// The day the weeks start on in the day picker, the Month view, the Year view and the
// book: Sunday, as the handheld's calendar has it, Monday, or the day Windows has for
// the user. Kept in the settings file as "week_starts".
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "diarycore/settings.h"

enum class WeekStart { Sunday, Monday, FollowSystem };

// The choice as the settings file and the console name it ("sunday", "monday", "system"),
// and back; a name the program does not know is nothing.
std::string_view WeekStartName(WeekStart start);
std::optional<WeekStart> WeekStartNamed(std::u16string_view name);

// The file's choice; Sunday where it has none or one the program does not know.
WeekStart ReadWeekStart(const Settings& settings);
void KeepWeekStart(Settings& settings, WeekStart start);

// The weekday the weeks start on, 0 = Sunday ... 6 = Saturday. `systemFirstDay` is the
// system's as Windows counts it (LOCALE_IFIRSTDAYOFWEEK: 0 = Monday ... 6 = Sunday); a
// value outside 0-6 counts as Sunday.
std::int32_t FirstWeekday(WeekStart start, int systemFirstDay);
