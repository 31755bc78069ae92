// Window procedures of the frame and the page view, scrolling and painting. Layout is
// done again whenever the view's width changes; the scroll bar comes and goes with it.
#include "help_window.h"

#include "helpviewer/help_layout.h"
#include "platform/wide_text.h"
#include "platform/win32/window_object.h"

#include <algorithm>

namespace {

// A face with Japanese glyphs (Wine maps it to IPAGothic in the project's prefix).
constexpr wchar_t kFontFace[] = L"MS UI Gothic";
constexpr int kFontPoints = 11;
constexpr int kWindowWidth = 560;
constexpr int kWindowHeight = 420;
constexpr int kWheelLines = 3;

// The page view's own state, made with the view's window and gone with it.
struct HelpView {
    explicit HelpView(const HelpPage& shown) : page(shown) {}
    HelpPage page;
    OwnedFont normalFont;
    OwnedFont boldFont;
    HelpMetrics metrics;
    HelpLayout layout;
    int width = 0;
    int height = 0;
    int scrollY = 0;
    int wheelDelta = 0;  // wheel movement not yet turned into whole lines
};

HelpView* HelpOf(HWND view) { return reinterpret_cast<HelpView*>(GetWindowLongPtrW(view, GWLP_USERDATA)); }

OwnedFont CreateHelpFont(HDC dc, int weight) {
    LOGFONTW face{};
    face.lfHeight = -MulDiv(kFontPoints, GetDeviceCaps(dc, LOGPIXELSY), 72);
    face.lfWeight = weight;
    face.lfCharSet = SHIFTJIS_CHARSET;
    face.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(face.lfFaceName, kFontFace, LF_FACESIZE);
    return OwnedFont(CreateFontIndirectW(&face));
}

void CreateFonts(HelpView& help, HWND view) {
    TEXTMETRICW text{};
    {
        const OwnedWindowDc dc(view);
        help.normalFont = CreateHelpFont(dc.get(), FW_NORMAL);
        help.boldFont = CreateHelpFont(dc.get(), FW_BOLD);
        const SelectedObject font(dc.get(), help.normalFont.get());
        GetTextMetricsW(dc.get(), &text);
    }
    int lineHeight = text.tmHeight + std::max<int>(text.tmExternalLeading, text.tmHeight / 4);
    help.metrics = {lineHeight, text.tmAveCharWidth * 2, text.tmAveCharWidth * 3, lineHeight / 2, lineHeight};
}

HFONT FontFor(const HelpView& help, bool bold) { return bold ? help.boldFont.get() : help.normalFont.get(); }

int MaxScroll(const HelpView& help) { return std::max(0, help.layout.height - help.height); }

// The system shows the scroll bar only while the page is taller than the view; showing
// or hiding it resizes the view, which lays the page out again from inside this call.
void UpdateScrollBar(const HelpView& help, HWND view) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMax = std::max(0, help.layout.height - 1);
    info.nPage = static_cast<UINT>(help.height);
    info.nPos = help.scrollY;
    SetScrollInfo(view, SB_VERT, &info, TRUE);
}

void LayOutPage(HelpView& help, HWND view, int width, int height) {
    help.width = width;
    help.height = height;
    {
        const OwnedWindowDc viewDc(view);
        const HDC dc = viewDc.get();
        const SelectedObject font(dc, help.normalFont.get());
        auto measure = [&help, dc](std::u16string_view text, bool bold) {
            SelectObject(dc, FontFor(help, bold));
            SIZE size{};
            GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(text.data()), static_cast<int>(text.size()),
                                  &size);
            return static_cast<int>(size.cx);
        };
        help.layout = LayOutHelpPage(help.page, width, help.metrics, measure);
    }
    help.scrollY = std::clamp(help.scrollY, 0, MaxScroll(help));
    InvalidateRect(view, nullptr, TRUE);
    UpdateScrollBar(help, view);
}

void ScrollTo(HelpView& help, HWND view, int y) {
    y = std::clamp(y, 0, MaxScroll(help));
    if (y == help.scrollY) return;
    ScrollWindowEx(view, 0, help.scrollY - y, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE | SW_ERASE);
    help.scrollY = y;
    SetScrollPos(view, SB_VERT, y, TRUE);
    UpdateWindow(view);
}

void ScrollBy(HelpView& help, HWND view, int dy) { ScrollTo(help, view, help.scrollY + dy); }

void HandleScrollBar(HelpView& help, HWND view, WPARAM request) {
    int line = help.metrics.lineHeight;
    int page = std::max(line, help.height - line);
    switch (LOWORD(request)) {
    case SB_LINEUP: ScrollBy(help, view, -line); break;
    case SB_LINEDOWN: ScrollBy(help, view, line); break;
    case SB_PAGEUP: ScrollBy(help, view, -page); break;
    case SB_PAGEDOWN: ScrollBy(help, view, page); break;
    case SB_TOP: ScrollTo(help, view, 0); break;
    case SB_BOTTOM: ScrollTo(help, view, MaxScroll(help)); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        // The 16-bit position in wParam is cut short on a long page; ask for all 32 bits.
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_TRACKPOS;
        GetScrollInfo(view, SB_VERT, &info);
        ScrollTo(help, view, info.nTrackPos);
        break;
    }
    default: break;
    }
}

void HandleWheel(HelpView& help, HWND view, WPARAM wParam) {
    help.wheelDelta += GET_WHEEL_DELTA_WPARAM(wParam);
    int notches = help.wheelDelta / WHEEL_DELTA;
    help.wheelDelta -= notches * WHEEL_DELTA;
    ScrollBy(help, view, -notches * kWheelLines * help.metrics.lineHeight);
}

void HandleKey(HelpView& help, HWND view, WPARAM key) {
    switch (key) {
    case VK_ESCAPE: PostMessageW(GetParent(view), WM_CLOSE, 0, 0); break;
    case VK_UP: HandleScrollBar(help, view, SB_LINEUP); break;
    case VK_DOWN: HandleScrollBar(help, view, SB_LINEDOWN); break;
    case VK_PRIOR: HandleScrollBar(help, view, SB_PAGEUP); break;
    case VK_NEXT:
    case VK_SPACE: HandleScrollBar(help, view, SB_PAGEDOWN); break;
    case VK_HOME: HandleScrollBar(help, view, SB_TOP); break;
    case VK_END: HandleScrollBar(help, view, SB_BOTTOM); break;
    default: break;
    }
}

// A rule drawn sunken, as dialogs draw their etched lines.
void PaintRule(const HelpView& help, HDC dc, const HelpRule& rule) {
    int y = rule.y - help.scrollY;
    RECT shadow{rule.left, y, rule.right, y + 1};
    RECT light{rule.left, y + 1, rule.right, y + 2};
    FillRect(dc, &shadow, GetSysColorBrush(COLOR_BTNSHADOW));
    FillRect(dc, &light, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
}

void PaintPage(const HelpView& help, HWND view) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(view, &paint);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    {
        const SelectedObject font(dc, help.normalFont.get());
        for (const HelpFragment& fragment : help.layout.fragments) {
            int y = fragment.y - help.scrollY;
            if (y + help.metrics.lineHeight < paint.rcPaint.top || y > paint.rcPaint.bottom) continue;
            SelectObject(dc, FontFor(help, fragment.bold));
            TextOutW(dc, fragment.x, y, reinterpret_cast<const wchar_t*>(fragment.text.data()),
                     static_cast<int>(fragment.text.size()));
        }
        for (const HelpRule& rule : help.layout.rules) PaintRule(help, dc, rule);
    }
    EndPaint(view, &paint);
}

// The view's state is made from the page its creation was given, before any other message
// needs it, and goes with the window.
LRESULT CALLBACK HelpViewProc(HWND view, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* page = static_cast<const HelpPage*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(view, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new HelpView(*page)));
    }
    HelpView* help = HelpOf(view);
    if (!help) return DefWindowProcW(view, message, wParam, lParam);
    switch (message) {
    case WM_CREATE: CreateFonts(*help, view); return 0;
    case WM_SIZE: LayOutPage(*help, view, LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_PAINT: PaintPage(*help, view); return 0;
    case WM_VSCROLL: HandleScrollBar(*help, view, wParam); return 0;
    case WM_MOUSEWHEEL: HandleWheel(*help, view, wParam); return 0;
    case WM_KEYDOWN: HandleKey(*help, view, wParam); return 0;
    case WM_LBUTTONDOWN: SetFocus(view); return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(view, GWLP_USERDATA, 0);
        delete help;
        return DefWindowProcW(view, message, wParam, lParam);
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
    if (!RegisterClasses(instance)) return 1;
    const std::u16string& title = page.title;
    SIZE size = ChooseWindowSize();
    HWND frame =
        CreateWindowExW(0, kHelpFrameClass, title.empty() ? kDefaultHelpTitle : WidePointer(title), WS_OVERLAPPEDWINDOW,
                        CW_USEDEFAULT, CW_USEDEFAULT, size.cx, size.cy, nullptr, nullptr, instance, nullptr);
    if (!frame) return 1;
    std::u16string plainText = PlainTextOfHelpPage(page);
    HWND view = CreateWindowExW(0, kHelpViewClass, WidePointer(plainText), WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 0,
                                0, frame, nullptr, instance, const_cast<HelpPage*>(&page));
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
