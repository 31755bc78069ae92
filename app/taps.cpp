#include "taps.h"

// The tap regions and toggles arrive with the page's pictures and menus.
void HandleTap(WPARAM, LPARAM) {}
void ShowSystemMenu() {}
void ShowDrawingMenu() {}
void TogglePictureSaving() {}
void ToggleRuledLines(HWND) {}
