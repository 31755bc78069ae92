// The Find dialog: words typed, the days whose entry holds them listed newest first.
#pragma once

#include <windows.h>

#include <optional>

#include "daystore/calendar.h"

// The day opened from the list (Enter or a double click), or nothing when the dialog
// was closed. Changing to it is the caller's.
std::optional<DayKey> RunFindDialog(HWND owner);
