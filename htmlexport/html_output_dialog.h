// The dialog that writes a run of days into one HTML document and, when asked, turns
// their pictures into JPEG files beside it.
#pragma once

#include <windows.h>

class Page;
class PageView;

// The run starts at the page's day, in the page's diary folder; the page on show is saved
// before it is written. The pictures' progress shows on the status strip.
void ShowHtmlOutputDialog(HWND owner, Page& page, PageView& view, HWND statusStrip);
