#include "page_icons.h"

#include <windows.h>

#include "page/win32/page_view.h"

namespace {

constexpr int kIconCount = 6;

void DrawStripIcon(const PageView& view, HDC strip, int index, const PageRect& at) {
    if (!strip || !view.canvasDc) return;
    if (index < 0 || index >= kIconCount) index = 0;
    const RECT to = view.Client(at);
    // Pixel for pixel at any zoom, like the picture.
    SetStretchBltMode(view.canvasDc.get(), COLORONCOLOR);
    StretchBlt(view.canvasDc.get(), to.left, to.top, to.right - to.left, to.bottom - to.top, strip,
               kPage.iconSize * index, 0, kPage.iconSize, kPage.iconSize, SRCCOPY);
    ShowPageNow(view, at);
}

}  // namespace

void DrawWeatherIcon(const PageView& view, int weatherIndex) {
    DrawStripIcon(view, view.weatherStripDc.get(), weatherIndex, kPage.weatherIcon);
}

void DrawMoodIcon(const PageView& view, int moodIndex) {
    DrawStripIcon(view, view.moodStripDc.get(), moodIndex, kPage.moodIcon);
}
