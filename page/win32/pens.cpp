#include "pens.h"

#include <iterator>
#include <utility>

#include "diarycore/picture_bytes.h"
#include "page/win32/page_view.h"
#include "resources/resource.h"

namespace {

// Widths of "XL", "L", "M", "S" and "XS", in menu order: picture pixels at any zoom.
constexpr int kWidths[] = {9, 7, 5, 3, 1};

constexpr int kSwatchWidth = 20;
constexpr int kSwatchHeight = 10;
constexpr int kSwatchInset = 2;
constexpr COLORREF kSwatchFrame = RGB(64, 64, 64);

COLORREF PaletteColourRef(int index) {
    const PaletteColour& colour = kPalette[static_cast<std::size_t>(index)];
    return RGB(colour.red, colour.green, colour.blue);
}

}  // namespace

void CreateDrawingPen(PageView& view) {
    OwnedPen pen(CreatePen(PS_SOLID, view.drawing.width, view.drawing.colour));
    if (!pen) return;
    if (view.pictureDc) SelectObject(view.pictureDc.get(), pen.get());
    // The pen it replaces, no longer selected, goes.
    view.drawing.pen = std::move(pen);
}

void ReleaseDrawingPen(PageView& view) {
    // The view's surfaces are released first, so the pen is no longer selected.
    view.drawing.pen.reset();
}

void SetPenColour(PageView& view, int commandId) {
    if (commandId < IDM_COLOUR_FIRST || commandId > IDM_COLOUR_LAST) return;
    view.drawing.colour = PaletteColourRef(commandId - IDM_COLOUR_FIRST);
    CreateDrawingPen(view);
}

void SetPenWidth(PageView& view, int commandId) {
    if (commandId < IDM_WIDTH_FIRST || commandId > IDM_WIDTH_LAST) return;
    view.drawing.width = kWidths[commandId - IDM_WIDTH_FIRST];
    CreateDrawingPen(view);
}

void SetPenType(PageView& view, int commandId) {
    if (commandId != IDM_PEN_PENCIL && commandId != IDM_PEN_PEN) return;
    view.drawing.penType = commandId == IDM_PEN_PENCIL ? kPencil : kPen;
}

int PenColourCommand(const PageView& view) {
    for (std::size_t index = 0; index < kPalette.size(); ++index) {
        if (PaletteColourRef(static_cast<int>(index)) == view.drawing.colour)
            return IDM_COLOUR_FIRST + static_cast<int>(index);
    }
    return IDM_COLOUR_FIRST;
}

int PenWidthCommand(const PageView& view) {
    for (std::size_t index = 0; index < std::size(kWidths); ++index) {
        if (kWidths[index] == view.drawing.width) return IDM_WIDTH_FIRST + static_cast<int>(index);
    }
    return IDM_WIDTH_FIRST;
}

int PenTypeCommand(const PageView& view) { return view.drawing.penType == kPencil ? IDM_PEN_PENCIL : IDM_PEN_PEN; }

void MeasureColourItem(MEASUREITEMSTRUCT* item) {
    item->itemWidth = kSwatchWidth;
    item->itemHeight = kSwatchHeight;
}

void DrawColourItem(const DRAWITEMSTRUCT* item) {
    if (item->CtlType != ODT_MENU || item->itemID < IDM_COLOUR_FIRST || item->itemID > IDM_COLOUR_LAST) return;
    // Only the selected bit counts: the system adds others (no accelerator cues, ...).
    const OwnedBrush background(
        CreateSolidBrush(GetSysColor((item->itemState & ODS_SELECTED) ? COLOR_HIGHLIGHT : COLOR_MENU)));
    FillRect(item->hDC, &item->rcItem, background.get());
    const OwnedBrush swatch(CreateSolidBrush(PaletteColourRef(static_cast<int>(item->itemID) - IDM_COLOUR_FIRST)));
    RECT bar = item->rcItem;
    bar.left += kSwatchInset;
    bar.right -= kSwatchInset;
    FillRect(item->hDC, &bar, swatch.get());
    // A thin dark frame, so that white (and silver) show against the menu's background.
    const OwnedBrush frame(CreateSolidBrush(kSwatchFrame));
    FrameRect(item->hDC, &bar, frame.get());
}
