// "Earlier versions...": the day on show as the snapshots in the backup folder hold it,
// one row for each time it changed, and the versions a merge or a restore set aside,
// newest first, with the time, the drawing small and the first line of text. Restore puts
// the version chosen on the page as an unsaved change, as a recovered copy is: the next
// save stores it, and No at the close question keeps the day's files as they are. The
// page it replaced is set aside when it had unsaved changes, and Ctrl+Z right after
// brings it back.
#pragma once

#include <windows.h>

class Page;
class PageView;

void ShowEarlierVersions(Page& page, PageView& view, HWND owner);

// Ctrl+Z right after a restore: the page as it was before it. False when the page's last
// change was no restore.
bool UndoRestore(Page& page, PageView& view);
