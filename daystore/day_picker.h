// The day picker: a month calendar in a small modal dialog.
#pragma once

#include <windows.h>

#include <optional>

#include "daystore/calendar.h"

// Shows the calendar over the owner with `current` selected and today marked. The day
// chosen with OK, or nothing for Cancel.
std::optional<DayKey> RunDayPicker(HWND owner, const DayKey& current);
