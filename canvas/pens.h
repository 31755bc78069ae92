// Drawing settings: colour, line width, pen type, and the one drawing pen alive.
#pragma once

#include <windows.h>

void SetPenColour(int commandId);
void SetPenWidth(int commandId);
void SetPenType(int commandId);
void DrawColourItem(const DRAWITEMSTRUCT* item);
void MeasureColourItem(MEASUREITEMSTRUCT* item);
void ReleaseDrawingPen();
