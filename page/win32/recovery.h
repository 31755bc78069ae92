// Keeping a recovery copy of the page on show while it has unsaved changes (names in
// recovery_files.h); recovered_pages.h offers it back after a crash.
#pragma once

#include <windows.h>

class Page;
class PageView;

// A change was made: the copy is written about two seconds after the last one (a timer
// of the main window).
void ScheduleRecoveryCopy(const PageView& view);
// The main window's timer: writes the copy of what the next save would store, and
// removes a copy this program made that no change needs any more. A copy that cannot be
// written is marked in the date header and tried again every few seconds.
void WriteRecoveryCopyOnTimer(Page& page, PageView& view, WPARAM timerId);
// The page was stored, or its changes given up: its copy goes.
void RemoveRecoveryCopy(Page& page, PageView& view);
// A new page is on show: no copy belongs to it yet.
void ForgetRecoveryCopy(Page& page, PageView& view);
