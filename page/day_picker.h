// The day picker: a month calendar in a small modal dialog.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "diarycore/calendar.h"

// Shows the calendar over the owner with `current` selected and today marked, and the
// days of the diary folder that have pages. The day chosen with OK, or nothing for Cancel.
std::optional<DayKey> RunDayPicker(HWND owner, HINSTANCE instance, const std::u16string& folder, const DayKey& current);
