#include "ruled_text_box.h"

#include "page/win32/page_view.h"
#include "resources/resource.h"

namespace {

constexpr COLORREF kRulingColour = RGB(170, 114, 17);

PageView& ViewOf(HWND box) { return *reinterpret_cast<PageView*>(GetWindowLongPtrW(box, GWLP_USERDATA)); }

bool RedrawsRulingAfter(UINT message, WPARAM wParam) {
    switch (message) {
    case WM_PAINT:
    case WM_ERASEBKGND:
    case WM_KEYUP:
    case WM_LBUTTONUP:
    case WM_RULED_LINES_CHANGED: return true;
    case WM_KEYDOWN:
        // Caret keys leave the text as it is; the lines come back when the key is let go.
        return wParam != VK_LEFT && wParam != VK_UP && wParam != VK_RIGHT && wParam != VK_DOWN && wParam != VK_DELETE;
    case WM_MOUSEMOVE: return (wParam & MK_LBUTTON) != 0;
    default: return false;
    }
}

// The height of one text line in the box: the lines must sit under the text whatever
// font the platform gives.
int LinePitch(HWND box, HDC dc) {
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    bool measured = GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    return measured && metrics.tmHeight > 0 ? metrics.tmHeight : 13;
}

void DrawRuling(PageView& view) {
    HWND box = view.textBox;
    RECT client{};
    GetClientRect(box, &client);
    const OwnedWindowDc boxDc(box);
    const HDC dc = boxDc.get();
    // As thick as the page's other lines: one page unit.
    const OwnedPen pen(CreatePen(PS_SOLID, view.zoom, kRulingColour));
    const SelectedObject selectedPen(dc, pen.get());
    int pitch = LinePitch(box, dc);

    int firstY = pitch;
    if (CallWindowProcW(view.textBoxPreviousProc, box, EM_GETFIRSTVISIBLELINE, 0, 0) != 0) {
        firstY = 0;  // scrolled: a line at the very top too
        view.rulingTopRepainted = false;
    } else if (!view.rulingTopRepainted) {
        view.rulingTopRepainted = true;
        RECT topRow{0, 0, client.right, view.zoom};
        InvalidateRect(box, &topRow, TRUE);
    }
    for (int y = firstY; y < client.bottom; y += pitch) {
        const POINT line[2] = {{0, y}, {client.right, y}};
        Polyline(dc, line, 2);
    }
}

// Every message goes to the edit control once; after the ones that may have drawn over
// the lines, the lines are drawn again.
LRESULT CALLBACK RuledTextBoxFilter(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    PageView& view = ViewOf(box);
    LRESULT result = CallWindowProcW(view.textBoxPreviousProc, box, message, wParam, lParam);
    if (view.ruledLinesOn && RedrawsRulingAfter(message, wParam)) DrawRuling(view);
    return result;
}

}  // namespace

void RuleTextBox(PageView& view) {
    SetWindowLongPtrW(view.textBox, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&view));
    view.textBoxPreviousProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(view.textBox, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RuledTextBoxFilter)));
}

void UnruleTextBox(PageView& view) {
    if (view.textBox && view.textBoxPreviousProc) {
        SetWindowLongPtrW(view.textBox, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(view.textBoxPreviousProc));
    }
    view.textBoxPreviousProc = nullptr;
}

void SetRuledLines(PageView& view, bool on) {
    view.ruledLinesOn = on;
    if (on) {
        // Posted: the text box draws the lines once it has handled what is queued before.
        PostMessageW(view.textBox, WM_RULED_LINES_CHANGED, 0, 0);
    } else {
        InvalidateRect(view.textBox, nullptr, TRUE);
    }
}
