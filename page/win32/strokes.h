// Pen strokes on the picture: the mouse or stylus in client pixels, the ink in picture
// pixels whatever the zoom, so a gesture lands on the same picture pixels at any size.
#pragma once

#include <windows.h>

#include "page/page_geometry.h"

class Page;
class PageView;

// The pen-down handler's start of a stroke at a page point in the drawing area: input
// capture for the window, then the stroke's first point. A picture that could not be
// shown takes no ink: a beep instead.
void StartStrokeWithCapture(Page& page, PageView& view, PagePoint at);
// WM_MOUSEMOVE, WM_LBUTTONUP and WM_CAPTURECHANGED of the main window.
void OnStylusMove(Page& page, PageView& view, WPARAM keyFlags, LPARAM position);
void OnStylusUp(Page& page, PageView& view);
// The capture went elsewhere (another window, a menu): the stroke ends there.
void OnCaptureLost(Page& page, PageView& view);
