// The Year window: the year on show as 12 rows of up to 31 squares, each coloured by the
// day's mood (or, switched, its weather), a legend, and the year's figures.
#pragma once

#include <windows.h>

#include <optional>

#include "lookback/win32/look_window.h"

// Opens on the page on show's year. The day opened (a click on its square, or Enter on
// the selected one), or nothing when the window was closed.
std::optional<DayKey> RunYearView(HWND owner, const LookSource& source);
