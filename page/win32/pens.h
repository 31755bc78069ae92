// The pen the picture is drawn with: colour, line width and pen type (the view's
// DrawingSettings), and the one drawing pen alive, selected into the picture surface.
#pragma once

#include <windows.h>

class PageView;

// Makes the pen of the current settings and selects it into the picture, replacing (and
// deleting) the one before, so exactly one drawing pen is alive.
void CreateDrawingPen(PageView& view);
void ReleaseDrawingPen(PageView& view);

// Commands 3000-3015, 4000-4004 and 5000-5001; other identifiers change nothing.
void SetPenColour(PageView& view, int commandId);
void SetPenWidth(PageView& view, int commandId);
void SetPenType(PageView& view, int commandId);
// The commands the current settings stand for, for the menus' check marks and the
// command bar's colour button: a colour command (3000-3015), a width command
// (4000-4004) and a pen-type command (5000-5001).
int PenColourCommand(const PageView& view);
int PenWidthCommand(const PageView& view);
int PenTypeCommand(const PageView& view);

// The colour menu's owner-drawn swatches.
void DrawColourItem(const DRAWITEMSTRUCT* item);
void MeasureColourItem(MEASUREITEMSTRUCT* item);
