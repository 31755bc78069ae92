// The "On this day" window: the page on show's date in every earlier year that has a
// page, newest first, each with its year, its drawing small and its first line.
#pragma once

#include <windows.h>

#include <optional>

#include "lookback/win32/look_window.h"

// The day opened (Enter or a double click on it), or nothing when the window was closed.
std::optional<DayKey> RunSameDayView(HWND owner, const LookSource& source);
