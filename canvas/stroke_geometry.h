// Where on the page the stylus draws and what each step of a stroke asks to repaint.
// All in client coordinates; t is the command bar's height (0 without one).
#pragma once

struct PagePoint {
    int x, y;
};

// Right and bottom exclusive, as the window system counts.
struct PageRect {
    int left, top, right, bottom;
    bool operator==(const PageRect&) const = default;
};

// The stored picture: columns 339-602, rows t + 20 to t + 179.
PageRect PictureRect(int t);
// The picture with its border (334, t + 15 to 607, t + 185), whitened before a day's
// picture is put back.
PageRect PictureFrame(int t);

// Taps and moves draw in columns 339-602 and rows t + 20 to t + 180, both ends included:
// one row more than is stored. The ink itself is clipped to the picture.
bool InDrawingArea(PagePoint point, int t);

// The pixel around a stroke's first point: nothing is drawn there yet.
PageRect StartRepaintRect(PagePoint point);
// The segment from `from` to `to`, widened by the pen width on every side.
PageRect SegmentRepaintRect(PagePoint from, PagePoint to, int width);
