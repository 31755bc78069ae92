#include "strokes.h"

#include "page/page.h"
#include "page/win32/page_edits.h"
#include "page/win32/page_view.h"
#include "page/win32/stroke_undo.h"

namespace {

// A page rectangle in picture pixels.
PageRect InPicture(const PageRect& rect) {
    return {rect.left - kPage.picture.left, rect.top - kPage.picture.top, rect.right - kPage.picture.left,
            rect.bottom - kPage.picture.top};
}

// What is drawn is what is stored: the ink lands on the picture surface, which ends where
// the picture does, however wide the pen and wherever in the drawing area the stroke runs.
void DrawOnPicture(const PageView& view, const PagePoint* points, int count) {
    POINT line[3];
    for (int i = 0; i < count; ++i) line[i] = {points[i].x - kPage.picture.left, points[i].y - kPage.picture.top};
    Polyline(view.pictureDc.get(), line, count);
}

void StartStroke(Page& page, PageView& view, PagePoint at) {
    EndStrokeStep(page, view);  // one that never saw its button go up
    page.BeginStroke(at);
    PresentPicture(view, InPicture(StartRepaintRect(at)));
}

void ContinueStroke(Page& page, PageView& view, PagePoint to) {
    const PagePoint last = page.StrokeLast();
    if (view.drawing.penType == kPencil) {
        const PagePoint line[2] = {last, to};
        DrawOnPicture(view, line, 2);
    } else {
        // The pen draws the previous segment again, joined to the new one.
        const PagePoint line[3] = {page.StrokePrevious(), last, to};
        DrawOnPicture(view, line, 3);
    }
    PresentPicture(view, InPicture(SegmentRepaintRect(last, to, view.drawing.width)));
    page.StrokeTo(to);
    NotePageEdited(page, view);
}

}  // namespace

void StartStrokeWithCapture(Page& page, PageView& view, PagePoint at) {
    if (!page.TakesInk()) {
        MessageBeep(MB_ICONASTERISK);
        return;
    }
    SetCapture(view.window);
    page.PutPenDown();
    StartStroke(page, view, at);
}

void OnStylusMove(Page& page, PageView& view, WPARAM keyFlags, LPARAM position) {
    // Unsigned halves: a point left of or above the window is far outside.
    const PagePoint at = view.PageAt(LOWORD(position), HIWORD(position));
    // A mouse, unlike a stylus, moves without touching: only a held left button draws.
    if (!(keyFlags & MK_LBUTTON)) {
        page.LiftPen();
        EndStrokeStep(page, view);
        return;
    }
    const bool inside = kPage.drawingArea.Contains(at) && page.TakesInk();
    if (page.PenDown()) {
        if (keyFlags == MK_LBUTTON && inside) ContinueStroke(page, view, at);
        return;
    }
    if (inside) {
        StartStroke(page, view, at);
        page.PutPenDown();
        return;
    }
    EndStrokeStep(page, view);
}

void OnStylusUp(Page& page, PageView& view) {
    ReleaseCapture();
    page.LiftPen();
    EndStrokeStep(page, view);
}

void OnCaptureLost(Page& page, PageView& view) {
    page.LiftPen();
    EndStrokeStep(page, view);
}
