// Pen strokes in the picture rectangle.
#pragma once

#include <windows.h>

void StartStroke(int x, int y);
void OnStylusMove(WPARAM wParam, LPARAM lParam);
void OnStylusUp();
