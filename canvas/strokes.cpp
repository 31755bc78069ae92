#include "strokes.h"

#include "app/shell_state.h"
#include "canvas/pens.h"
#include "canvas/stroke_geometry.h"
#include "canvas/stroke_undo.h"
#include "daystore/page.h"

namespace {

struct StrokeState {
    bool penDown = false;
    PagePoint last{};
    PagePoint previous{};
};
StrokeState g_stroke;

void InvalidateStrokeRect(const PageRect& rect) {
    RECT area{rect.left, rect.top, rect.right, rect.bottom};
    InvalidateRect(g_shell.mainWindow, &area, TRUE);
}

// What is drawn is what is stored: the ink stays inside the picture, however wide the
// pen and wherever in the drawing area the stroke runs.
void DrawClippedToPicture(const POINT* points, int count) {
    PageRect picture = PictureRect(g_shell.commandBarHeight);
    HRGN clip = CreateRectRgn(picture.left, picture.top, picture.right, picture.bottom);
    SelectClipRgn(g_shell.canvasDc, clip);
    Polyline(g_shell.canvasDc, points, count);
    SelectClipRgn(g_shell.canvasDc, nullptr);
    DeleteObject(clip);
}

// A picture that could not be shown is not the user's to draw over: its day takes no ink.
bool PictureTakesInk() { return !g_page.pictureUnreadable; }

}  // namespace

bool IsInDrawingArea(int x, int y) { return InDrawingArea({x, y}, g_shell.commandBarHeight); }

void StartStrokeWithCapture(HWND window, int x, int y) {
    if (!PictureTakesInk()) {
        MessageBeep(MB_ICONASTERISK);
        return;
    }
    SetCapture(window);
    g_stroke.penDown = true;
    StartStroke(x, y);
}

void StartStroke(int x, int y) {
    BeginStrokeStep();
    g_stroke.previous = g_stroke.last = {x, y};
    InvalidateStrokeRect(StartRepaintRect({x, y}));
}

void ContinueStroke(int x, int y) {
    const PagePoint& last = g_stroke.last;
    const PagePoint& previous = g_stroke.previous;
    if (g_drawing.penType == kPencil) {
        const POINT line[2] = {{last.x, last.y}, {x, y}};
        DrawClippedToPicture(line, 2);
    } else {
        // The pen draws the previous segment again, joined to the new one.
        const POINT line[3] = {{previous.x, previous.y}, {last.x, last.y}, {x, y}};
        DrawClippedToPicture(line, 3);
    }
    InvalidateStrokeRect(SegmentRepaintRect(last, {x, y}, g_drawing.width));
    NotePictureChanged();
    g_stroke.previous = g_stroke.last;
    g_stroke.last = {x, y};
}

void OnStylusMove(WPARAM keyFlags, LPARAM position) {
    int x = LOWORD(position);   // unsigned halves: a point left of or above the window is far outside
    int y = HIWORD(position);
    // A mouse, unlike a stylus, moves without touching: only a held left button draws.
    if (!(keyFlags & MK_LBUTTON)) {
        g_stroke.penDown = false;
        EndStrokeStep();
        return;
    }
    bool inside = IsInDrawingArea(x, y) && PictureTakesInk();
    if (g_stroke.penDown) {
        if (keyFlags == MK_LBUTTON && inside) ContinueStroke(x, y);
        return;
    }
    if (inside) {
        StartStroke(x, y);
        g_stroke.penDown = true;
        return;
    }
    g_stroke.penDown = false;
    EndStrokeStep();
}

void OnStylusUp() {
    ReleaseCapture();
    g_stroke.penDown = false;
    EndStrokeStep();
}

void OnCaptureLost() {
    g_stroke.penDown = false;
    EndStrokeStep();
}
