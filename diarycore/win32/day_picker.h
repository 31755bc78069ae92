// The day picker: a month calendar in a small modal dialog.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "diarycore/calendar.h"
#include "diarycore/pages_in_folder.h"

// Shows the calendar over the owner with `current` selected and today marked, and the
// days that have pages marked, its weeks starting on `firstWeekday` (0 = Sunday). The day
// chosen with OK, or nothing for Cancel.
std::optional<DayKey> RunDayPicker(HWND owner, HINSTANCE instance, DaysWithPages pages, const DayKey& current,
                                   std::int32_t firstWeekday);
