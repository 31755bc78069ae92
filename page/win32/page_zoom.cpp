#include "page_zoom.h"

#include <windows.h>

#include "page/win32/build_page_view.h"
#include "page/page.h"
#include "page/win32/page_files.h"
#include "page/win32/page_view.h"

void SetPageZoom(const Page& page, PageView& view, int zoom) {
    if (zoom == view.zoom || zoom < 1) return;
    view.zoom = zoom;
    MakeCanvas(view);
    // The text box lays its text out again in the new font; its text, selection and
    // scrolling are its own and stay.
    FitControlsToZoom(view);
    DrawShownPage(page, view);
    if (view.window) InvalidateRect(view.window, nullptr, TRUE);
}
