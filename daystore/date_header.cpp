#include "date_header.h"

#include <windows.h>

#include "app/shell_state.h"
#include "daystore/date_header_text.h"
#include "daystore/page.h"
#include "platform/wide_text.h"

namespace {
constexpr int kLeft = 25;
constexpr int kTop = 14;   // below t
constexpr int kWidth = 153;
constexpr int kHeight = 22;
}  // namespace

void DrawDateHeader() {
    if (!g_shell.canvasDc) return;
    std::u16string text = DateHeaderText(g_page.currentDay);
    int top = g_shell.commandBarHeight + kTop;
    RECT area{kLeft, top, kLeft + kWidth, top + kHeight};
    FillRect(g_shell.canvasDc, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));

    LOGFONTW face{};
    face.lfHeight = 16;
    face.lfWeight = FW_SEMIBOLD;
    face.lfUnderline = TRUE;
    face.lfCharSet = SHIFTJIS_CHARSET;
    HFONT font = CreateFontIndirectW(&face);
    HGDIOBJ old = SelectObject(g_shell.canvasDc, font);
    // The canvas's own colours: black text on an opaque white background.
    DrawTextW(g_shell.canvasDc, WidePointer(text), static_cast<int>(text.size()), &area, DT_SINGLELINE | DT_RIGHT);
    SelectObject(g_shell.canvasDc, old);
    DeleteObject(font);

    if (g_shell.windowDc) {
        BitBlt(g_shell.windowDc, kLeft, top, kWidth, kHeight, g_shell.canvasDc, kLeft, top, SRCCOPY);
    }
}
