#include "current_page.h"

#include <windows.h>

#include "page/win32/page_view.h"
#include "page/win32/picture_surface.h"

int SelectedPlace(const PageView& view) { return static_cast<int>(SendMessageW(view.placeBox, CB_GETCURSEL, 0, 0)); }

void CatchUpStroke(Page& page, const PageView& view) {
    // The capture is made only when it decides something.
    if (page.StrokeGoing() && page.PictureMayHaveChanged()) page.StrokeSoFar(CapturePictureBytes(view));
}

SavePlan PlanCurrentSave(Page& page, const PageView& view, SaveMode mode) {
    CatchUpStroke(page, view);
    return page.PlanSave(mode);
}
