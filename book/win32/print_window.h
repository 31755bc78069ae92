// The Print window: a run of days as the book will print it, page by page, and printing
// it on a printer the system's print dialog gives.
#pragma once

#include <windows.h>

#include <filesystem>
#include <functional>

#include "book/win32/gdi_book.h"
#include "diarycore/calendar.h"
#include "diarycore/pages_in_folder.h"

struct PrintSource {
    std::filesystem::path folder;
    const DayFileIndex* index = nullptr;
    DayKey onShow;  // its month is the run at first
    HINSTANCE instance = nullptr;
    std::int32_t firstWeekday = 0;  // the weekday the weeks start on, 0 = Sunday
    BookIcons icons;
    // Called once the window is up and its first page drawn (the bench's clock).
    std::function<void(HWND)> whenShown;
};

// From and to (the month on show at first), one or two days a page, the paper; the pages
// drawn as they will print, with the previous and next page; Print... asks the system's
// print dialog for a printer and prints every page, the window going on answering, with
// Cancel while it prints.
void RunPrintWindow(HWND owner, const PrintSource& source);
