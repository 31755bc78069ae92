// Drawing settings: colour, line width, pen type, and the one drawing pen alive.
#pragma once

#include <windows.h>

inline constexpr int kPencil = 0;   // draws each segment once
inline constexpr int kPen = 1;      // draws the previous segment again with each new one

struct DrawingSettings {
    COLORREF colour = RGB(0, 0, 0);
    int width = 3;
    int penType = kPencil;
    HPEN pen = nullptr;     // selected into the canvas
};

extern DrawingSettings g_drawing;

// Makes the pen of the current settings and selects it into the canvas, replacing (and
// deleting) the one before, so exactly one drawing pen is alive.
void CreateDrawingPen();
void ReleaseDrawingPen();

// Commands 3000-3015, 4000-4004 and 5000-5001.
void SetPenColour(int commandId);
void SetPenWidth(int commandId);
void SetPenType(int commandId);
// The command bar's colour button shows the current pen colour (tall layout only).
void ShowPenColourOnButton();
// The colour menu's owner-drawn swatches.
void DrawColourItem(const DRAWITEMSTRUCT* item);
void MeasureColourItem(MEASUREITEMSTRUCT* item);
