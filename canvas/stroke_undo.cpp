#include "stroke_undo.h"

#include <windows.h>

#include <optional>
#include <utility>

#include "app/shell_state.h"
#include "canvas/picture_file.h"
#include "canvas/picture_history.h"
#include "daystore/page.h"

namespace {

enum class PageChange { None, Typing, Stroke };

struct UndoState {
    PictureHistory history;
    bool strokeGoing = false;
    std::optional<PictureBytes> strokeBefore;   // the picture at its first point, when it could be captured
    PageChange lastChange = PageChange::None;
};
UndoState g_undo;

void ShowStep(std::optional<PictureBytes> (*step)(PictureHistory&, PictureBytes)) {
    // A key pressed while the button is still down waits for the stroke to end.
    if (g_undo.strokeGoing) return;
    std::optional<PictureBytes> current = CapturePictureBytes();
    if (!current) return;
    std::optional<PictureBytes> shown = step(g_undo.history, std::move(*current));
    if (!shown) return;
    PutPictureBytes(*shown);
    g_undo.lastChange = PageChange::Stroke;
    NotePictureChanged();
}

}  // namespace

void BeginStrokeStep() {
    EndStrokeStep();   // one that never saw its button go up
    g_undo.strokeGoing = true;
    g_undo.strokeBefore = CapturePictureBytes();
}

void EndStrokeStep() {
    if (!g_undo.strokeGoing) return;
    g_undo.strokeGoing = false;
    std::optional<PictureBytes> before = std::exchange(g_undo.strokeBefore, std::nullopt);
    std::optional<PictureBytes> after = CapturePictureBytes();
    // A tap, or ink on ink of its own colour, changed nothing: no step to take back.
    if (before && after && *before == *after) return;
    // A picture that could not be captured may still have changed: it is saved all the
    // same, it just cannot be taken back.
    g_undo.lastChange = PageChange::Stroke;
    NotePictureChanged();
    if (before && after) PushUndoStep(g_undo.history, std::move(*before));
}

void NoteTyping() { g_undo.lastChange = PageChange::Typing; }

void UndoStroke() { ShowStep(StepBack); }

void RedoStroke() { ShowStep(StepForward); }

void UndoLastChange() {
    // With every stroke taken back, the key is the text box's again: typing before the
    // strokes is the change to take back next.
    bool inTextBox = GetFocus() == g_shell.textBox;
    if (inTextBox && (g_undo.lastChange == PageChange::Typing || !CanUndoStroke())) {
        SendMessageW(g_shell.textBox, EM_UNDO, 0, 0);
        return;
    }
    UndoStroke();
}

bool CanUndoStroke() { return !g_undo.history.back.empty(); }

bool CanRedoStroke() { return !g_undo.history.forward.empty(); }

void ClearStrokeHistory() {
    ClearHistory(g_undo.history);
    g_undo.lastChange = PageChange::None;
    // A stroke still going on goes on over the new page.
    if (g_undo.strokeGoing) g_undo.strokeBefore = CapturePictureBytes();
}
