#include "date_header.h"

#include <windows.h>
#include <commctrl.h>

#include "diarycore/date_header_text.h"
#include "platform/win32/shown_language.h"
#include "page/win32/page_view.h"
#include "platform/wide_text.h"

namespace {

void DrawMark(const PageView& view) {
    const HDC canvas = view.canvasDc.get();
    const RECT mark = view.Client(kPage.missingCopyMark);
    const int unit = (mark.right - mark.left) / 7;  // the disc is seven of these across
    {
        const OwnedBrush red(CreateSolidBrush(RGB(0xD0, 0x20, 0x20)));
        const SelectedObject brush(canvas, red.get());
        const SelectedObject pen(canvas, GetStockObject(NULL_PEN));
        Ellipse(canvas, mark.left, mark.top, mark.right + 1, mark.bottom + 1);
    }
    // A white "!" in the disc: a bar and a dot.
    RECT bar{mark.left + 3 * unit, mark.top + unit + unit / 2, mark.left + 4 * unit, mark.top + 4 * unit + unit / 2};
    RECT dot{mark.left + 3 * unit, mark.top + 5 * unit, mark.left + 4 * unit, mark.top + 6 * unit};
    FillRect(canvas, &bar, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FillRect(canvas, &dot, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

TOOLINFOW MarkTool(const PageView& view) {
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = view.window;
    tool.uId = 1;
    return tool;
}

// The tooltip over the mark, made on first use; its tool covers nothing while no mark is shown.
void UpdateMarkTooltip(PageView& view) {
    if (!view.missingCopyTooltip && !view.missingCopyTip.empty()) {
        view.missingCopyTooltip = CreateWindowExW(
            WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, view.window, nullptr, view.instance, nullptr);
        if (!view.missingCopyTooltip) return;
        SendMessageW(view.missingCopyTooltip, TTM_SETMAXTIPWIDTH, 0, 360);
        TOOLINFOW tool = MarkTool(view);
        SendMessageW(view.missingCopyTooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    if (!view.missingCopyTooltip) return;
    TOOLINFOW tool = MarkTool(view);
    tool.rect = view.missingCopyTip.empty() ? RECT{} : view.Client(kPage.missingCopyMark);
    SendMessageW(view.missingCopyTooltip, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
    tool.lpszText = const_cast<wchar_t*>(WidePointer(view.missingCopyTip));
    SendMessageW(view.missingCopyTooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

// The notice's small grey type, over white, so a new notice never shows an old one through.
void DrawHeaderNotice(const PageView& view) {
    const HDC canvas = view.canvasDc.get();
    RECT area = view.Client(kPage.headerNotice);
    FillRect(canvas, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const std::u16string& notice = !view.headerNotice.empty()   ? view.headerNotice
                                   : !view.copiesNotice.empty() ? view.copiesNotice
                                                                : view.presenceNotice;
    if (notice.empty()) return;
    LOGFONTW face{};
    face.lfHeight = kPage.headerNoticeFontHeight * view.zoom;
    face.lfCharSet = DEFAULT_CHARSET;
    const OwnedFont font(CreateFontIndirectW(&face));
    const SelectedObject selected(canvas, font.get());
    const COLORREF oldColour = SetTextColor(canvas, RGB(0x60, 0x60, 0x60));
    DrawTextW(canvas, WidePointer(notice), static_cast<int>(notice.size()), &area,
              DT_SINGLELINE | DT_LEFT | DT_BOTTOM | DT_END_ELLIPSIS | DT_NOPREFIX);
    SetTextColor(canvas, oldColour);
}

}  // namespace

void DrawDateHeader(PageView& view, const DayKey& day) {
    if (!view.canvasDc) return;
    const HDC canvas = view.canvasDc.get();
    std::u16string text = DateHeaderText(day, ShownLanguage());
    RECT area = view.Client(kPage.dateHeader);
    FillRect(canvas, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    {
        LOGFONTW face{};
        face.lfWeight = FW_SEMIBOLD;
        face.lfUnderline = TRUE;
        face.lfCharSet = SHIFTJIS_CHARSET;
        // The handheld's short date fits at the header's size; a date in words ("Wednesday,
        // 30 September 2026") takes a smaller one where it would be cut, down to two thirds.
        const int full = kPage.headerFontHeight * view.zoom;
        OwnedFont font;
        for (face.lfHeight = full; face.lfHeight >= full * 2 / 3; --face.lfHeight) {
            font.reset(CreateFontIndirectW(&face));
            const SelectedObject measured(canvas, font.get());
            SIZE size{};
            GetTextExtentPoint32W(canvas, WidePointer(text), static_cast<int>(text.size()), &size);
            if (size.cx <= area.right - area.left) break;
        }
        const SelectedObject selected(canvas, font.get());
        // The canvas's own colours: black text on an opaque white background.
        DrawTextW(canvas, WidePointer(text), static_cast<int>(text.size()), &area, DT_SINGLELINE | DT_RIGHT);
    }
    if (!view.missingCopyTip.empty()) DrawMark(view);
    // Where the mark is now, at the view's zoom.
    UpdateMarkTooltip(view);
    DrawHeaderNotice(view);
    ShowPageNow(view, kPage.dateHeader);
    ShowPageNow(view, kPage.headerNotice);
}

void ShowHeaderNotice(PageView& view, const DayKey& day, const std::u16string& notice) {
    view.headerNotice = notice;
    DrawDateHeader(view, day);
}

void ShowMissingCopyMark(PageView& view, const DayKey& day, const std::u16string& tip) {
    if (tip == view.missingCopyTip) return;
    view.missingCopyTip = tip;
    DrawDateHeader(view, day);
}
