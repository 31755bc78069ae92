#include "stroke_undo.h"

#include <windows.h>

#include <optional>
#include <utility>

#include "page/page.h"
#include "page/page_edits.h"
#include "page/page_view.h"
#include "page/picture_surface.h"

namespace {

void ShowStep(Page& page, PageView& view, std::optional<PictureBytes> (*step)(PictureHistory&, PictureBytes)) {
    // A key pressed while the button is still down waits for the stroke to end.
    if (page.stroke.going) return;
    std::optional<PictureBytes> current = CapturePictureBytes(view);
    if (!current) return;
    std::optional<PictureBytes> shown = step(page.history, std::move(*current));
    if (!shown) return;
    PutPictureBytes(view, *shown);
    page.lastChange = PageChange::Stroke;
    NotePictureChanged(page, view);
}

}  // namespace

void BeginStrokeStep(Page& page, PageView& view) {
    EndStrokeStep(page, view);  // one that never saw its button go up
    page.stroke.going = true;
    page.stroke.before = CapturePictureBytes(view);
}

void EndStrokeStep(Page& page, PageView& view) {
    if (!page.stroke.going) return;
    page.stroke.going = false;
    std::optional<PictureBytes> before = std::exchange(page.stroke.before, std::nullopt);
    std::optional<PictureBytes> after = CapturePictureBytes(view);
    // A tap, or ink on ink of its own colour, changed nothing: no step to take back.
    if (before && after && *before == *after) return;
    // A picture that could not be captured may still have changed: it is saved all the
    // same, it just cannot be taken back.
    page.lastChange = PageChange::Stroke;
    NotePictureChanged(page, view);
    if (before && after) PushUndoStep(page.history, std::move(*before));
}

void UndoStroke(Page& page, PageView& view) { ShowStep(page, view, StepBack); }

void RedoStroke(Page& page, PageView& view) { ShowStep(page, view, StepForward); }

void UndoLastChange(Page& page, PageView& view) {
    // With every stroke taken back, the key is the text box's again: typing before the
    // strokes is the change to take back next.
    bool inTextBox = GetFocus() == view.textBox;
    if (inTextBox && (page.lastChange == PageChange::Typing || page.history.back.empty())) {
        SendMessageW(view.textBox, EM_UNDO, 0, 0);
        return;
    }
    UndoStroke(page, view);
}

void ClearStrokeHistory(Page& page, PageView& view) {
    ClearHistory(page.history);
    page.lastChange = PageChange::None;
    // A stroke still going on goes on over the new page.
    if (page.stroke.going) page.stroke.before = CapturePictureBytes(view);
}
