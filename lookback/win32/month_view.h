// The Month window: the month's days in a calendar grid, each day with a page showing its
// drawing small, its weather and mood icons and its first words.
#pragma once

#include <windows.h>

#include <optional>

#include "lookback/win32/look_window.h"

// Opens on the page on show's month. The day opened (a click, or Enter on the selected
// day), or nothing when the window was closed; changing to it is the caller's.
std::optional<DayKey> RunMonthView(HWND owner, const LookSource& source);
