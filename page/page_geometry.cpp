#include "page_geometry.h"

#include <algorithm>

#include "diarycore/picture_bytes.h"

static_assert(kPage.picture.Width() == kPictureWidth && kPage.picture.Height() == kPictureHeight,
              "the picture rectangle holds the stored picture exactly");

PageRect StartRepaintRect(PagePoint point) { return {point.x - 1, point.y - 1, point.x + 1, point.y + 1}; }

PageRect SegmentRepaintRect(PagePoint from, PagePoint to, int width) {
    return {std::min(from.x, to.x) - width, std::min(from.y, to.y) - width, std::max(from.x, to.x) + width,
            std::max(from.y, to.y) + width};
}

TapAction FindTapAction(PagePoint point, bool tallScreen) {
    const struct {
        const PageRect& region;
        bool lineScreenOnly;
        TapAction action;
    } regions[] = {
        {kPage.weatherTap, false, TapAction::WeatherMenu},
        {kPage.moodTap, false, TapAction::MoodMenu},
        {kPage.drawingMenuCorner, true, TapAction::DrawingMenu},
        {kPage.previousArrow, false, TapAction::PreviousDay},
        {kPage.nextArrow, false, TapAction::NextDay},
        {kPage.systemMenuCorner, true, TapAction::SystemMenu},
    };
    for (const auto& region : regions) {
        if (region.lineScreenOnly && tallScreen) continue;
        if (region.region.Contains(point)) return region.action;
    }
    return kPage.drawingArea.Contains(point) ? TapAction::StartStroke : TapAction::None;
}
