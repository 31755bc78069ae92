// Taking strokes back and bringing them back, per page: the picture before each stroke
// is kept until the day changes (the page's history). Ctrl+Z also serves the text box's
// own undo when the page's last change was typed there.
#pragma once

class Page;
class PageView;

// The stroke code's part: a stroke's end (pen up, capture lost, or the button found up),
// with the picture it left. A stroke that changed the picture becomes a step.
void EndStrokeStep(Page& page, PageView& view);

// The drawing menu's Undo and Redo, and Ctrl+Y / Ctrl+Shift+Z: the picture as it was
// before the newest stroke, or after the last one taken back. Nothing when there is none.
void UndoStroke(Page& page, PageView& view);
void RedoStroke(Page& page, PageView& view);
// Ctrl+Z: the text box undoes its typing when that was the page's last change and the box
// has the focus; otherwise the newest stroke is taken back, and once none is left, the
// text box with the focus undoes its typing again.
void UndoLastChange(Page& page, PageView& view);
