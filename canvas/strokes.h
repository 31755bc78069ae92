// Pen strokes in the drawing area of the canvas.
#pragma once

#include <windows.h>

// The pen-down handler's start of a stroke: input capture for the window, then the
// stroke's first point. The caller has checked that the point is in the drawing area.
void StartStrokeWithCapture(HWND window, int x, int y);
void StartStroke(int x, int y);
void ContinueStroke(int x, int y);
void OnStylusMove(WPARAM keyFlags, LPARAM position);
void OnStylusUp();
// The capture went elsewhere (another window, a menu): the stroke ends there.
void OnCaptureLost();
bool IsInDrawingArea(int x, int y);
