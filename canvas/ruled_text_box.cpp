#include "ruled_text_box.h"

#include <string>

#include "app/resource.h"
#include "app/shell_state.h"
#include "canvas/stroke_undo.h"
#include "platform/window_text.h"

bool g_ruledLinesOn = true;

namespace {

constexpr COLORREF kRulingColour = RGB(170, 114, 17);
constexpr int kBoxWidth = 275;
constexpr int kBoxHeight = 149;

// Set once the top row has been repainted to wipe a line left there by a scrolled view.
bool g_topStripRepainted = false;

bool RedrawsRulingAfter(UINT message, WPARAM wParam) {
    switch (message) {
    case WM_PAINT:
    case WM_ERASEBKGND:
    case WM_KEYUP:
    case WM_LBUTTONUP:
    case WM_RULED_LINES_CHANGED:
        return true;
    case WM_KEYDOWN:
        // Caret keys leave the text as it is; the lines come back when the key is let go.
        return wParam != VK_LEFT && wParam != VK_UP && wParam != VK_RIGHT && wParam != VK_DOWN && wParam != VK_DELETE;
    case WM_MOUSEMOVE:
        return (wParam & MK_LBUTTON) != 0;
    default:
        return false;
    }
}

// The ways a user changes the text: keys, the clipboard, the box's own undo and the input
// method. Loading a day sets the text with WM_SETTEXT, which is no typing.
bool MayEditText(UINT message, WPARAM wParam) {
    switch (message) {
    case WM_CHAR:
    case WM_IME_CHAR:
    case WM_IME_COMPOSITION:
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
    case EM_UNDO:
    case EM_REPLACESEL:
        return true;
    case WM_KEYDOWN:
        return wParam == VK_DELETE;
    default:
        return false;
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

void DrawRuling(HWND box) {
    HDC dc = GetDC(box);
    HPEN pen = CreatePen(PS_SOLID, 1, kRulingColour);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    int pitch = LinePitch(box, dc);

    int firstY = pitch;
    if (CallWindowProcW(g_shell.textBoxPreviousProc, box, EM_GETFIRSTVISIBLELINE, 0, 0) != 0) {
        firstY = 0;   // scrolled: a line at the very top too
        g_topStripRepainted = false;
    } else if (!g_topStripRepainted) {
        g_topStripRepainted = true;
        RECT topRow{0, 0, kBoxWidth, 1};
        InvalidateRect(box, &topRow, TRUE);
    }
    for (int y = firstY; y < kBoxHeight; y += pitch) {
        const POINT line[2] = {{0, y}, {kBoxWidth, y}};
        Polyline(dc, line, 2);
    }

    SelectObject(dc, oldPen);
    DeleteObject(pen);
    ReleaseDC(box, dc);
}

}  // namespace

LRESULT CALLBACK RuledTextBoxFilter(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    // Only a real change counts: Ctrl+C, say, also arrives as a character.
    const bool mayEdit = MayEditText(message, wParam);
    std::u16string before = mayEdit ? ReadWindowText(box) : std::u16string();
    LRESULT result = CallWindowProcW(g_shell.textBoxPreviousProc, box, message, wParam, lParam);
    if (mayEdit && ReadWindowText(box) != before) NoteTyping();
    if (g_ruledLinesOn && RedrawsRulingAfter(message, wParam)) DrawRuling(box);
    return result;
}
