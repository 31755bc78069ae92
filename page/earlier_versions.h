// "Earlier versions...": the day on show as the snapshots in the backup folder hold it,
// one row for each time it changed, newest first, with the snapshot's time, the drawing
// small and the first line of text. Restore puts the version chosen on the page as an
// unsaved change, as a recovered copy is: the next save stores it, and No at the close
// question keeps the day's files as they are.
#pragma once

#include <windows.h>

class Page;
class PageView;

void ShowEarlierVersions(Page& page, PageView& view, HWND owner);
