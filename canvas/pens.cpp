#include "pens.h"

#include "app/shell_state.h"

DrawingSettings g_drawing;

void CreateDrawingPen() {
    HPEN pen = CreatePen(PS_SOLID, g_drawing.width, g_drawing.colour);
    if (!pen) return;
    if (g_shell.canvasDc) SelectObject(g_shell.canvasDc, pen);
    if (g_drawing.pen) DeleteObject(g_drawing.pen);
    g_drawing.pen = pen;
}

void ReleaseDrawingPen() {
    if (g_drawing.pen) DeleteObject(g_drawing.pen);
    g_drawing.pen = nullptr;
}

// Colour, width and pen-type commands and the colour swatches arrive with the strokes.
void SetPenColour(int) {}
void SetPenWidth(int) {}
void SetPenType(int) {}
void DrawColourItem(const DRAWITEMSTRUCT*) {}
void MeasureColourItem(MEASUREITEMSTRUCT*) {}
