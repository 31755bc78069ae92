// The diary open on two computers at once: this one says it is open here (sync/
// presence.h), and the page shows a line above the date while another says so too. It
// locks nothing; the merge keeps both sides.
#pragma once

#include <windows.h>

class Page;
class PageView;

// At start: says so, looks for the others, and again every few minutes (a main window timer).
void StartPresence(const Page& page, PageView& view);
void PresenceOnTimer(const Page& page, PageView& view, WPARAM timerId);
// At the close: this computer no longer says so.
void EndPresence(const Page& page, const PageView& view);
