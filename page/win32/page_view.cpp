#include "page_view.h"

#include <algorithm>

void InvalidatePage(const PageView& view, const PageRect& rect) {
    // During window construction the window handle is not yet known; its first paint
    // shows everything anyway.
    if (!view.window) return;
    RECT area = view.Client(rect);
    InvalidateRect(view.window, &area, TRUE);
}

void ShowPageNow(const PageView& view, const PageRect& rect) {
    if (!view.windowDc) return;
    RECT area = view.Client(rect);
    BitBlt(view.windowDc.get(), area.left, area.top, area.right - area.left, area.bottom - area.top,
           view.canvasDc.get(), area.left, area.top, SRCCOPY);
}

void PresentPicture(const PageView& view, const PageRect& region) {
    if (!view.canvasDc || !view.pictureDc) return;
    const PageRect inPicture{std::max(region.left, 0), std::max(region.top, 0),
                             std::min(region.right, kPage.picture.Width()),
                             std::min(region.bottom, kPage.picture.Height())};
    if (inPicture.left >= inPicture.right || inPicture.top >= inPicture.bottom) return;
    const PageRect onPage{kPage.picture.left + inPicture.left, kPage.picture.top + inPicture.top,
                          kPage.picture.left + inPicture.right, kPage.picture.top + inPicture.bottom};
    const RECT to = view.Client(onPage);
    // Each picture pixel an exact zoom x zoom block: enlarged by repetition, never smoothed.
    SetStretchBltMode(view.canvasDc.get(), COLORONCOLOR);
    StretchBlt(view.canvasDc.get(), to.left, to.top, to.right - to.left, to.bottom - to.top, view.pictureDc.get(),
               inPicture.left, inPicture.top, inPicture.Width(), inPicture.Height(), SRCCOPY);
    InvalidatePage(view, onPage);
}

void PaintPage(const PageView& view, HDC dc, const RECT& r) {
    if (!view.canvasDc) return;
    BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, view.canvasDc.get(), r.left, r.top, SRCCOPY);
}
