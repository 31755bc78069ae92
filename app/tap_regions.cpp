#include "tap_regions.h"

#include "canvas/stroke_geometry.h"

namespace {

struct TapRegion {
    int left, right;    // inclusive
    int top, bottom;    // inclusive, below t
    bool lineScreenOnly;
    TapAction action;
};

// In the order they are tested. The icons' regions are one pixel wider and higher than
// the 16 x 16 icons; the hot corners exist only where there is no caption or menu bar.
constexpr TapRegion kTapRegions[] = {
    {180, 196, 14, 30, false, TapAction::WeatherMenu},
    {200, 216, 14, 30, false, TapAction::MoodMenu},
    {635, 640, 0, 5, true, TapAction::DrawingMenu},
    {16, 28, 178, 190, false, TapAction::PreviousDay},
    {607, 619, 178, 190, false, TapAction::NextDay},
    {0, 5, 0, 5, true, TapAction::SystemMenu},
};

}  // namespace

TapAction FindTapAction(int x, int y, int t, bool tallScreen) {
    for (const TapRegion& region : kTapRegions) {
        if (region.lineScreenOnly && tallScreen) continue;
        if (x >= region.left && x <= region.right && y >= t + region.top && y <= t + region.bottom) {
            return region.action;
        }
    }
    return InDrawingArea({x, y}, t) ? TapAction::StartStroke : TapAction::None;
}
