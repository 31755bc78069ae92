#include "date_header.h"

#include <windows.h>
#include <commctrl.h>

#include "app/shell_state.h"
#include "daystore/date_header_text.h"
#include "daystore/page.h"
#include "platform/wide_text.h"

namespace {
constexpr int kLeft = 25;
constexpr int kTop = 14;   // below t
constexpr int kWidth = 153;
constexpr int kHeight = 22;
// The missing-copy mark: a disc of this size at the header's left end.
constexpr int kMarkSize = 14;
constexpr int kMarkTop = 4;   // below the header's top

struct MissingCopyMark {
    std::u16string tip;    // empty: no mark
    HWND tooltip = nullptr;
};
MissingCopyMark g_mark;

RECT MarkRect() {
    int top = g_shell.commandBarHeight + kTop + kMarkTop;
    return {kLeft, top, kLeft + kMarkSize, top + kMarkSize};
}

void DrawMark() {
    RECT mark = MarkRect();
    HBRUSH red = CreateSolidBrush(RGB(0xD0, 0x20, 0x20));
    HGDIOBJ oldBrush = SelectObject(g_shell.canvasDc, red);
    HGDIOBJ oldPen = SelectObject(g_shell.canvasDc, GetStockObject(NULL_PEN));
    Ellipse(g_shell.canvasDc, mark.left, mark.top, mark.right + 1, mark.bottom + 1);
    SelectObject(g_shell.canvasDc, oldPen);
    SelectObject(g_shell.canvasDc, oldBrush);
    DeleteObject(red);
    // A white "!" in the disc: a bar and a dot.
    RECT bar{mark.left + 6, mark.top + 3, mark.left + 8, mark.top + 9};
    RECT dot{mark.left + 6, mark.top + 10, mark.left + 8, mark.top + 12};
    FillRect(g_shell.canvasDc, &bar, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FillRect(g_shell.canvasDc, &dot, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

TOOLINFOW MarkTool() {
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = g_shell.mainWindow;
    tool.uId = 1;
    return tool;
}

// The tooltip over the mark, made on first use; its tool covers nothing while no mark is shown.
void UpdateMarkTooltip() {
    if (!g_mark.tooltip && !g_mark.tip.empty()) {
        g_mark.tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                         g_shell.mainWindow, nullptr, g_shell.instance, nullptr);
        if (!g_mark.tooltip) return;
        SendMessageW(g_mark.tooltip, TTM_SETMAXTIPWIDTH, 0, 360);
        TOOLINFOW tool = MarkTool();
        SendMessageW(g_mark.tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    if (!g_mark.tooltip) return;
    TOOLINFOW tool = MarkTool();
    tool.rect = g_mark.tip.empty() ? RECT{} : MarkRect();
    SendMessageW(g_mark.tooltip, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
    tool.lpszText = const_cast<wchar_t*>(WidePointer(g_mark.tip));
    SendMessageW(g_mark.tooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

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
    if (!g_mark.tip.empty()) DrawMark();

    if (g_shell.windowDc) {
        BitBlt(g_shell.windowDc, kLeft, top, kWidth, kHeight, g_shell.canvasDc, kLeft, top, SRCCOPY);
    }
}

void ShowMissingCopyMark(const std::u16string& tip) {
    if (tip == g_mark.tip) return;
    g_mark.tip = tip;
    UpdateMarkTooltip();
    DrawDateHeader();
}
