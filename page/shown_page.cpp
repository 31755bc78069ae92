#include "shown_page.h"

#include <windows.h>

#include "page/page_view.h"
#include "page/picture_surface.h"
#include "platform/window_text.h"

int SelectedPlace(const PageView& view) { return static_cast<int>(SendMessageW(view.placeBox, CB_GETCURSEL, 0, 0)); }

ShownPage ShownNow(const Page& page, const PageView& view) {
    ShownPage shown{ReadWindowText(view.textBox), SelectedPlace(view), std::nullopt};
    // The capture is made only when it decides something.
    if (page.PictureMayHaveChanged()) shown.pixels = CapturePictureBytes(view);
    return shown;
}

SavePlan PlanCurrentSave(const Page& page, const PageView& view, SaveMode mode) {
    return page.PlanSave(ShownNow(page, view), mode);
}

DayRecord CurrentRecord(const Page& page, const PageView& view) {
    return page.RecordToStore(ReadWindowText(view.textBox), SelectedPlace(view));
}
