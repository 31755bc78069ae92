// Taps on the page, the hot corners and the two menu toggles.
#pragma once

#include <windows.h>

// WM_LBUTTONDOWN on the main window.
void HandleTap(HWND window, WPARAM wParam, LPARAM lParam);
// The system menu at the window's top-left corner, the drawing menu at its top-right.
void ShowSystemMenu();
void ShowDrawingMenu();
void TogglePictureSaving();
void ToggleRuledLines(HWND window);
