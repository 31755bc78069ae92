#include "stroke_undo.h"

#include <windows.h>

#include <optional>

#include "page/page.h"
#include "page/win32/page_edits.h"
#include "page/win32/page_view.h"
#include "page/win32/picture_surface.h"

namespace {

void ShowStep(Page& page, PageView& view, const std::optional<PictureBytes>& shown) {
    if (!shown) return;
    PutPictureBytes(view, *shown);
    NotePageEdited(page, view);
}

}  // namespace

void EndStrokeStep(Page& page, PageView& view) {
    if (!page.StrokeGoing()) return;
    page.EndStroke(CapturePictureBytes(view));
    NotePageEdited(page, view);
}

void UndoStroke(Page& page, PageView& view) { ShowStep(page, view, page.TakeBackStroke()); }

void RedoStroke(Page& page, PageView& view) { ShowStep(page, view, page.BringBackStroke()); }

void UndoLastChange(Page& page, PageView& view) {
    // With every stroke taken back, the key is the text box's again: typing before the
    // strokes is the change to take back next.
    if (GetFocus() == view.textBox && page.UndoesTyping()) {
        SendMessageW(view.textBox, EM_UNDO, 0, 0);
        TakeTypedText(page, view);
        return;
    }
    UndoStroke(page, view);
}
