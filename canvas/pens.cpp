#include "pens.h"

#include <commctrl.h>

#include "app/resource.h"
#include "app/shell_state.h"
#include "canvas/picture_bytes.h"

DrawingSettings g_drawing;

namespace {

// Widths of "XL", "L", "M", "S" and "XS", in menu order.
constexpr int kWidths[] = {9, 7, 5, 3, 1};

constexpr int kSwatchWidth = 20;
constexpr int kSwatchHeight = 10;
constexpr int kSwatchInset = 2;
constexpr COLORREF kSwatchFrame = RGB(64, 64, 64);

COLORREF PaletteColourRef(int index) {
    const PaletteColour& colour = kPalette[static_cast<std::size_t>(index)];
    return RGB(colour.red, colour.green, colour.blue);
}

void CheckOnly(HMENU menu, int first, int last, int chosen) {
    for (int id = first; id <= last; ++id) {
        CheckMenuItem(menu, static_cast<UINT>(id), MF_BYCOMMAND | (id == chosen ? MF_CHECKED : MF_UNCHECKED));
    }
}

}  // namespace

void ShowPenColourOnButton() {
    if (!g_shell.commandBar) return;
    for (std::size_t index = 0; index < kPalette.size(); ++index) {
        if (PaletteColourRef(static_cast<int>(index)) != g_drawing.colour) continue;
        SendMessageW(g_shell.commandBar, TB_CHANGEBITMAP, IDM_COLOUR_BUTTON,
                     MAKELPARAM(g_shell.firstColourButtonImage + static_cast<int>(index), 0));
        return;
    }
}

void CreateDrawingPen() {
    HPEN pen = CreatePen(PS_SOLID, g_drawing.width, g_drawing.colour);
    if (!pen) return;
    if (g_shell.canvasDc) SelectObject(g_shell.canvasDc, pen);
    if (g_drawing.pen) DeleteObject(g_drawing.pen);
    g_drawing.pen = pen;
}

void ReleaseDrawingPen() {
    // The close sequence deletes the canvas's DC first, so the pen is no longer selected.
    if (g_drawing.pen) DeleteObject(g_drawing.pen);
    g_drawing.pen = nullptr;
}

void SetPenColour(int commandId) {
    if (commandId < IDM_COLOUR_FIRST || commandId > IDM_COLOUR_LAST) return;
    g_drawing.colour = PaletteColourRef(commandId - IDM_COLOUR_FIRST);
    CreateDrawingPen();
    ShowPenColourOnButton();
}

void SetPenWidth(int commandId) {
    if (commandId < IDM_WIDTH_FIRST || commandId > IDM_WIDTH_LAST) return;
    g_drawing.width = kWidths[commandId - IDM_WIDTH_FIRST];
    CheckOnly(g_shell.widthMenu, IDM_WIDTH_FIRST, IDM_WIDTH_LAST, commandId);
    CreateDrawingPen();
}

void SetPenType(int commandId) {
    if (commandId != IDM_PEN_PENCIL && commandId != IDM_PEN_PEN) return;
    g_drawing.penType = commandId == IDM_PEN_PENCIL ? kPencil : kPen;
    CheckOnly(g_shell.penTypeMenu, IDM_PEN_PENCIL, IDM_PEN_PEN, commandId);
}

void MeasureColourItem(MEASUREITEMSTRUCT* item) {
    item->itemWidth = kSwatchWidth;
    item->itemHeight = kSwatchHeight;
}

void DrawColourItem(const DRAWITEMSTRUCT* item) {
    if (item->CtlType != ODT_MENU || item->itemID < IDM_COLOUR_FIRST || item->itemID > IDM_COLOUR_LAST) return;
    // Only the selected bit counts: the system adds others (no accelerator cues, ...).
    HBRUSH background = CreateSolidBrush(GetSysColor((item->itemState & ODS_SELECTED) ? COLOR_HIGHLIGHT : COLOR_MENU));
    FillRect(item->hDC, &item->rcItem, background);
    HBRUSH swatch = CreateSolidBrush(PaletteColourRef(static_cast<int>(item->itemID) - IDM_COLOUR_FIRST));
    RECT bar = item->rcItem;
    bar.left += kSwatchInset;
    bar.right -= kSwatchInset;
    FillRect(item->hDC, &bar, swatch);
    // A thin dark frame, so that white (and silver) show against the menu's background.
    HBRUSH frame = CreateSolidBrush(kSwatchFrame);
    FrameRect(item->hDC, &bar, frame);
    DeleteObject(frame);
    DeleteObject(swatch);
    DeleteObject(background);
}
