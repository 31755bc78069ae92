// The page's zoom in the main window (zoom_choice.h decides it): at start from the choice
// kept in the settings file and the monitor's scale, by the View menus' items and
// Ctrl+plus and Ctrl+minus, and again when the window moves to a monitor of another
// scale. The window is sized to the page at its zoom and kept inside the work area. The
// 240-line layout fills its screen at 1x and never zooms.
#pragma once

#include <windows.h>

struct DiaryWindow;

// The command bar's pictures and buttons at the page's zoom, and t, its height, to match;
// nothing without a bar (the 240-line layout).
void ShowCommandBarAtZoom(int zoom);
// The largest zoom the window's monitor has room for; 1 in the 240-line layout.
int LargestZoomOfWindow(HWND window);
// WM_CREATE, once the command bar is made and before the page's view is: the view's zoom,
// and the window sized to it and centred on the screen.
void ChooseStartZoom(DiaryWindow& diary, HWND window);
// The user's choice: the page at that zoom, and the choice kept in the settings file. A
// zoom the monitor has no room for, or any zoom in the 240-line layout, gives a beep.
void ChooseZoom(DiaryWindow& diary, int zoom);
// Zoom In (+1) and Zoom Out (-1).
void StepZoom(DiaryWindow& diary, int step);
// WM_DPICHANGED: the page at the zoom the choice means at the new scale, the window at
// the suggested place.
void FollowMonitorScale(DiaryWindow& diary, int dpi, const RECT& suggested);
