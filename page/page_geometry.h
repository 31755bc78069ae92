// Where everything is on the page, in page units: one unit is one screen pixel at 1x and
// one picture pixel always. The page is 640 x 214 units below the command bar (t); the
// view scales every rectangle here by its zoom in one place (PageView::Client), so the
// picture, the controls, the header, the icons and the tap regions grow together.
#pragma once

struct PagePoint {
    int x, y;
    bool operator==(const PagePoint&) const = default;
};

// Right and bottom exclusive, as the window system counts; y below t.
struct PageRect {
    int left, top, right, bottom;
    bool operator==(const PageRect&) const = default;
    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr bool Contains(PagePoint point) const {
        return point.x >= left && point.x < right && point.y >= top && point.y < bottom;
    }
};

struct PageGeometry {
    int width, height;     // the page without the command bar
    PageRect picture;      // the stored picture: columns 339-602, rows 20-179
    PageRect frame;        // the picture with its border, whitened before a day's picture is put back
    PageRect drawingArea;  // where taps and moves draw: one row more than is stored
    PageRect textBox;
    PageRect placeBox;  // its height includes the dropped-down list
    PageRect dateHeader;
    PageRect missingCopyMark;  // at the header's left end
    PageRect headerNotice;     // a line of small type above the header, left of the place box
    PageRect weatherIcon;
    PageRect moodIcon;
    // Tap regions, in the order they are tested: the icons' regions are one unit wider and
    // higher than the icons; the hot corners exist only where there is no caption or menu
    // bar, and the right one reaches past the page.
    PageRect weatherTap, moodTap, drawingMenuCorner, previousArrow, nextArrow, systemMenuCorner;
    int textFontHeight;  // the text box's and the place box's font
    int headerFontHeight;
    int headerNoticeFontHeight;
    int iconSize;
};

inline constexpr PageGeometry kPage = {
    640,
    214,
    {339, 20, 603, 180},
    {334, 15, 607, 185},  // the frame's right edge is column 606, one short of a full border
    {339, 20, 603, 181},
    {29, 31, 304, 180},
    {219, 10, 299, 160},
    {25, 14, 178, 36},
    {25, 18, 39, 32},
    {25, 0, 215, 13},
    {180, 14, 196, 30},
    {200, 14, 216, 30},
    {180, 14, 197, 31},
    {200, 14, 217, 31},
    {635, 0, 641, 6},
    {16, 178, 29, 191},
    {607, 178, 620, 191},
    {0, 0, 6, 6},
    13,
    16,
    11,
    16,
};

// The pixel around a stroke's first point: nothing is drawn there yet.
PageRect StartRepaintRect(PagePoint point);
// The segment from `from` to `to`, widened by the pen width on every side.
PageRect SegmentRepaintRect(PagePoint from, PagePoint to, int width);

enum class TapAction {
    None,
    WeatherMenu,  // weather icon: its menu at the tap point
    MoodMenu,     // mood icon
    DrawingMenu,  // top-right hot corner, 240-line layout only
    PreviousDay,  // left arrow
    NextDay,      // right arrow
    SystemMenu,   // top-left hot corner, 240-line layout only
    StartStroke,  // the drawing area
};

// What a tap at a page point does; the hot corners only in the 240-line layout.
TapAction FindTapAction(PagePoint point, bool tallScreen);
