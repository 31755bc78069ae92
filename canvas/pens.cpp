#include "pens.h"

// The pen settings and the colour swatches arrive with the drawing canvas.
void SetPenColour(int) {}
void SetPenWidth(int) {}
void SetPenType(int) {}
void DrawColourItem(const DRAWITEMSTRUCT*) {}
void MeasureColourItem(MEASUREITEMSTRUCT*) {}
void ReleaseDrawingPen() {}
