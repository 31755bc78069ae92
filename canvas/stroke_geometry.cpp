#include "stroke_geometry.h"

#include <algorithm>

#include "picture_bytes.h"

namespace {
constexpr int kPictureLeft = 339;
constexpr int kPictureTop = 20;   // below t
constexpr int kFrameBorder = 5;
}  // namespace

PageRect PictureRect(int t) {
    return {kPictureLeft, t + kPictureTop, kPictureLeft + kPictureWidth, t + kPictureTop + kPictureHeight};
}

PageRect PictureFrame(int t) {
    // The frame's right edge is column 606, one short of a full border.
    PageRect picture = PictureRect(t);
    return {picture.left - kFrameBorder, picture.top - kFrameBorder, picture.right + kFrameBorder - 1,
            picture.bottom + kFrameBorder};
}

bool InDrawingArea(PagePoint point, int t) {
    PageRect picture = PictureRect(t);
    return point.x >= picture.left && point.x < picture.right && point.y >= picture.top &&
           point.y <= picture.bottom;
}

PageRect StartRepaintRect(PagePoint point) {
    return {point.x - 1, point.y - 1, point.x + 1, point.y + 1};
}

PageRect SegmentRepaintRect(PagePoint from, PagePoint to, int width) {
    return {std::min(from.x, to.x) - width, std::min(from.y, to.y) - width, std::max(from.x, to.x) + width,
            std::max(from.y, to.y) + width};
}
