// Window procedures of the frame and the page view, scrolling and painting. Layout is
// done again whenever the view's width changes; the scroll bar comes and goes with it.
#include "help_window.h"

#include "help_layout.h"
#include "platform/wide_text.h"

#include <algorithm>

namespace {

// A face with Japanese glyphs (Wine maps it to IPAGothic in the project's prefix).
constexpr wchar_t kFontFace[] = L"MS UI Gothic";
constexpr int kFontPoints = 11;
constexpr int kWindowWidth = 560;
constexpr int kWindowHeight = 420;
constexpr int kWheelLines = 3;

struct HelpView {
    HelpPage page;
    HFONT normalFont = nullptr;
    HFONT boldFont = nullptr;
    HelpMetrics metrics;
    HelpLayout layout;
    int width = 0;
    int height = 0;
    int scrollY = 0;
    int wheelDelta = 0;  // wheel movement not yet turned into whole lines
};

HelpView g_help;

HFONT CreateHelpFont(HDC dc, int weight) {
    LOGFONTW face{};
    face.lfHeight = -MulDiv(kFontPoints, GetDeviceCaps(dc, LOGPIXELSY), 72);
    face.lfWeight = weight;
    face.lfCharSet = SHIFTJIS_CHARSET;
    face.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(face.lfFaceName, kFontFace, LF_FACESIZE);
    return CreateFontIndirectW(&face);
}

void CreateFonts(HWND view) {
    HDC dc = GetDC(view);
    g_help.normalFont = CreateHelpFont(dc, FW_NORMAL);
    g_help.boldFont = CreateHelpFont(dc, FW_BOLD);
    HGDIOBJ old = SelectObject(dc, g_help.normalFont);
    TEXTMETRICW text{};
    GetTextMetricsW(dc, &text);
    SelectObject(dc, old);
    ReleaseDC(view, dc);
    int lineHeight = text.tmHeight + std::max<int>(text.tmExternalLeading, text.tmHeight / 4);
    g_help.metrics = {lineHeight, text.tmAveCharWidth * 2, text.tmAveCharWidth * 3, lineHeight / 2, lineHeight};
}

void DeleteFonts() {
    DeleteObject(g_help.normalFont);
    DeleteObject(g_help.boldFont);
    g_help.normalFont = g_help.boldFont = nullptr;
}

HFONT FontFor(bool bold) { return bold ? g_help.boldFont : g_help.normalFont; }

int MaxScroll() { return std::max(0, g_help.layout.height - g_help.height); }

// The system shows the scroll bar only while the page is taller than the view; showing
// or hiding it resizes the view, which lays the page out again from inside this call.
void UpdateScrollBar(HWND view) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMax = std::max(0, g_help.layout.height - 1);
    info.nPage = static_cast<UINT>(g_help.height);
    info.nPos = g_help.scrollY;
    SetScrollInfo(view, SB_VERT, &info, TRUE);
}

void LayOutPage(HWND view, int width, int height) {
    g_help.width = width;
    g_help.height = height;
    HDC dc = GetDC(view);
    HGDIOBJ old = SelectObject(dc, g_help.normalFont);
    auto measure = [dc](std::u16string_view text, bool bold) {
        SelectObject(dc, FontFor(bold));
        SIZE size{};
        GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(text.data()), static_cast<int>(text.size()), &size);
        return static_cast<int>(size.cx);
    };
    g_help.layout = LayOutHelpPage(g_help.page, width, g_help.metrics, measure);
    SelectObject(dc, old);
    ReleaseDC(view, dc);
    g_help.scrollY = std::clamp(g_help.scrollY, 0, MaxScroll());
    InvalidateRect(view, nullptr, TRUE);
    UpdateScrollBar(view);
}

void ScrollTo(HWND view, int y) {
    y = std::clamp(y, 0, MaxScroll());
    if (y == g_help.scrollY) return;
    ScrollWindowEx(view, 0, g_help.scrollY - y, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE | SW_ERASE);
    g_help.scrollY = y;
    SetScrollPos(view, SB_VERT, y, TRUE);
    UpdateWindow(view);
}

void ScrollBy(HWND view, int dy) { ScrollTo(view, g_help.scrollY + dy); }

void HandleScrollBar(HWND view, WPARAM request) {
    int line = g_help.metrics.lineHeight;
    int page = std::max(line, g_help.height - line);
    switch (LOWORD(request)) {
    case SB_LINEUP: ScrollBy(view, -line); break;
    case SB_LINEDOWN: ScrollBy(view, line); break;
    case SB_PAGEUP: ScrollBy(view, -page); break;
    case SB_PAGEDOWN: ScrollBy(view, page); break;
    case SB_TOP: ScrollTo(view, 0); break;
    case SB_BOTTOM: ScrollTo(view, MaxScroll()); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        // The 16-bit position in wParam is cut short on a long page; ask for all 32 bits.
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_TRACKPOS;
        GetScrollInfo(view, SB_VERT, &info);
        ScrollTo(view, info.nTrackPos);
        break;
    }
    default: break;
    }
}

void HandleWheel(HWND view, WPARAM wParam) {
    g_help.wheelDelta += GET_WHEEL_DELTA_WPARAM(wParam);
    int notches = g_help.wheelDelta / WHEEL_DELTA;
    g_help.wheelDelta -= notches * WHEEL_DELTA;
    ScrollBy(view, -notches * kWheelLines * g_help.metrics.lineHeight);
}

void HandleKey(HWND view, WPARAM key) {
    switch (key) {
    case VK_ESCAPE: PostMessageW(GetParent(view), WM_CLOSE, 0, 0); break;
    case VK_UP: HandleScrollBar(view, SB_LINEUP); break;
    case VK_DOWN: HandleScrollBar(view, SB_LINEDOWN); break;
    case VK_PRIOR: HandleScrollBar(view, SB_PAGEUP); break;
    case VK_NEXT:
    case VK_SPACE: HandleScrollBar(view, SB_PAGEDOWN); break;
    case VK_HOME: HandleScrollBar(view, SB_TOP); break;
    case VK_END: HandleScrollBar(view, SB_BOTTOM); break;
    default: break;
    }
}

// A rule drawn sunken, as dialogs draw their etched lines.
void PaintRule(HDC dc, const HelpRule& rule) {
    int y = rule.y - g_help.scrollY;
    RECT shadow{rule.left, y, rule.right, y + 1};
    RECT light{rule.left, y + 1, rule.right, y + 2};
    FillRect(dc, &shadow, GetSysColorBrush(COLOR_BTNSHADOW));
    FillRect(dc, &light, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
}

void PaintPage(HWND view) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(view, &paint);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    HGDIOBJ old = SelectObject(dc, g_help.normalFont);
    for (const HelpFragment& fragment : g_help.layout.fragments) {
        int y = fragment.y - g_help.scrollY;
        if (y + g_help.metrics.lineHeight < paint.rcPaint.top || y > paint.rcPaint.bottom) continue;
        SelectObject(dc, FontFor(fragment.bold));
        TextOutW(dc, fragment.x, y, reinterpret_cast<const wchar_t*>(fragment.text.data()),
                 static_cast<int>(fragment.text.size()));
    }
    for (const HelpRule& rule : g_help.layout.rules) PaintRule(dc, rule);
    SelectObject(dc, old);
    EndPaint(view, &paint);
}

LRESULT CALLBACK HelpViewProc(HWND view, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: CreateFonts(view); return 0;
    case WM_SIZE: LayOutPage(view, LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_PAINT: PaintPage(view); return 0;
    case WM_VSCROLL: HandleScrollBar(view, wParam); return 0;
    case WM_MOUSEWHEEL: HandleWheel(view, wParam); return 0;
    case WM_KEYDOWN: HandleKey(view, wParam); return 0;
    case WM_LBUTTONDOWN: SetFocus(view); return 0;
    case WM_DESTROY: DeleteFonts(); return 0;
    default: return DefWindowProcW(view, message, wParam, lParam);
    }
}

LRESULT CALLBACK HelpFrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE: MoveWindow(GetWindow(frame, GW_CHILD), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE); return 0;
    case WM_SETFOCUS: SetFocus(GetWindow(frame, GW_CHILD)); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(frame, message, wParam, lParam);
    }
}

bool RegisterClasses(HINSTANCE instance) {
    WNDCLASSW frame{};
    frame.lpfnWndProc = HelpFrameProc;
    frame.hInstance = instance;
    frame.hIcon = LoadIconW(nullptr, IDI_INFORMATION);
    frame.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    frame.lpszClassName = kHelpFrameClass;
    WNDCLASSW view = frame;
    view.lpfnWndProc = HelpViewProc;
    view.hIcon = nullptr;
    view.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    view.lpszClassName = kHelpViewClass;
    return RegisterClassW(&frame) && RegisterClassW(&view);
}

// The frame's size, kept inside the work area of a small screen.
SIZE ChooseWindowSize() {
    RECT work{0, 0, kWindowWidth, kWindowHeight};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return {std::min<LONG>(kWindowWidth, work.right - work.left),
            std::min<LONG>(kWindowHeight, work.bottom - work.top)};
}

}  // namespace

int RunHelpWindow(HINSTANCE instance, const HelpPage& page, int show) {
    g_help.page = page;
    if (!RegisterClasses(instance)) return 1;
    const std::u16string& title = page.title;
    SIZE size = ChooseWindowSize();
    HWND frame =
        CreateWindowExW(0, kHelpFrameClass, title.empty() ? kDefaultHelpTitle : WidePointer(title), WS_OVERLAPPEDWINDOW,
                        CW_USEDEFAULT, CW_USEDEFAULT, size.cx, size.cy, nullptr, nullptr, instance, nullptr);
    if (!frame) return 1;
    std::u16string plainText = PlainTextOfHelpPage(page);
    HWND view = CreateWindowExW(0, kHelpViewClass, WidePointer(plainText), WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 0,
                                0, frame, nullptr, instance, nullptr);
    if (!view) {
        DestroyWindow(frame);
        return 1;
    }
    RECT client{};
    GetClientRect(frame, &client);
    MoveWindow(view, 0, 0, client.right, client.bottom, FALSE);
    ShowWindow(frame, show);
    UpdateWindow(frame);
    SetFocus(view);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
