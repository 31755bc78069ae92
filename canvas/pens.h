// Drawing settings: colour, line width, pen type, and the one drawing pen alive.
#pragma once

#include <windows.h>

struct DrawingSettings {
    COLORREF colour = RGB(0, 0, 0);
    int width = 3;
    int penType = 0;        // 0 pencil, 1 pen
    HPEN pen = nullptr;     // selected into the canvas
};

extern DrawingSettings g_drawing;

// Makes the pen of the current settings and selects it into the canvas, replacing (and
// deleting) the one before, so exactly one drawing pen is alive.
void CreateDrawingPen();
void ReleaseDrawingPen();

void SetPenColour(int commandId);
void SetPenWidth(int commandId);
void SetPenType(int commandId);
void DrawColourItem(const DRAWITEMSTRUCT* item);
void MeasureColourItem(MEASUREITEMSTRUCT* item);
