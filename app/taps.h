// Taps on the page, the hot corners and the two menu toggles.
#pragma once

#include <windows.h>

void HandleTap(WPARAM wParam, LPARAM lParam);
void ShowSystemMenu();
void ShowDrawingMenu();
void TogglePictureSaving();
void ToggleRuledLines(HWND window);
