// Taps on the page, the hot corners and the two menu toggles.
#pragma once

#include <windows.h>

class Page;
class PageView;

// WM_LBUTTONDOWN on the main window.
void HandleTap(HWND window, WPARAM wParam, LPARAM lParam);
// The system menu at the window's top-left corner, the drawing menu at its top-right.
void ShowSystemMenu();
void ShowDrawingMenu();
// The system menu's switches; their check marks are set from the page when a menu opens.
void TogglePictureSaving(Page& page, PageView& view);
void ToggleRuledLines(PageView& view);
