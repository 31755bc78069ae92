#include "build_page_view.h"

#include "diarycore/place_codes.h"
#include "page/page_view.h"
#include "page/pens.h"
#include "page/ruled_text_box.h"
#include "resources/resource.h"

namespace {

constexpr DWORD kTextBoxStyle = 0x50000044;   // WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL
constexpr DWORD kPlaceBoxStyle = 0x50000003;  // WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST

HDC MakeStrip(const PageView& view, int bitmapId, HBITMAP& bitmap) {
    HDC dc = CreateCompatibleDC(view.windowDc);
    bitmap = LoadBitmapW(view.instance, MAKEINTRESOURCEW(bitmapId));
    SelectObject(dc, bitmap);
    return dc;
}

// A 32-bit top-down surface of the given size, white.
HDC MakeSurface(const PageView& view, int width, int height, HBITMAP& bitmap) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap = CreateDIBSection(view.windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(view.windowDc);
    SelectObject(dc, bitmap);
    RECT all{0, 0, width, height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    return dc;
}

HWND MakeChild(const PageView& view, const wchar_t* className, DWORD style, const PageRect& box, int id) {
    RECT at = view.Client(box);
    return CreateWindowExW(0, className, nullptr, style, at.left, at.top, at.right - at.left, at.bottom - at.top,
                           view.window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), view.instance, nullptr);
}

void DrawBackground(const PageView& view) {
    HDC paper = CreateCompatibleDC(view.windowDc);
    HGDIOBJ old = SelectObject(paper, view.background);
    // Pixel for pixel at any zoom: the paper's lines stay crisp.
    SetStretchBltMode(view.canvasDc, COLORONCOLOR);
    StretchBlt(view.canvasDc, 0, view.t, kPage.width * view.zoom, kPage.height * view.zoom, paper, 0, 0, kPage.width,
               kPage.height, SRCCOPY);
    SelectObject(paper, old);
    DeleteDC(paper);
}

// The text box's and the place box's font at the zoom; the one it replaces goes.
void SetTextFont(PageView& view, bool redraw) {
    LOGFONTW face{};
    face.lfHeight = kPage.textFontHeight * view.zoom;
    face.lfWeight = FW_NORMAL;
    face.lfCharSet = SHIFTJIS_CHARSET;
    HFONT old = view.textFont;
    view.textFont = CreateFontIndirectW(&face);
    SendMessageW(view.textBox, WM_SETFONT, reinterpret_cast<WPARAM>(view.textFont), redraw);
    SendMessageW(view.placeBox, WM_SETFONT, reinterpret_cast<WPARAM>(view.textFont), redraw);
    SendMessageW(view.textBox, EM_SETMARGINS, EC_USEFONTINFO, 2);
    if (old) DeleteObject(old);
}

template <typename Handle, typename Release>
void ReleaseOnce(Handle& handle, Release release) {
    if (handle) release(handle);
    handle = nullptr;
}

}  // namespace

void BuildPageView(PageView& view, HWND window, HINSTANCE instance, int t) {
    view.window = window;
    view.instance = instance;
    view.t = t;
    view.windowDc = GetDC(window);
    view.pictureDc = MakeSurface(view, kPage.picture.Width(), kPage.picture.Height(), view.pictureBitmap);
    view.weatherStripDc = MakeStrip(view, IDB_WEATHER_STRIP, view.weatherStripBitmap);
    view.moodStripDc = MakeStrip(view, IDB_MOOD_STRIP, view.moodStripBitmap);
    view.background = LoadBitmapW(instance, MAKEINTRESOURCEW(IDB_BACKGROUND));
    MakeCanvas(view);

    view.textBox = MakeChild(view, L"EDIT", kTextBoxStyle, kPage.textBox, IDC_TEXT_BOX);
    view.placeBox = MakeChild(view, L"COMBOBOX", kPlaceBoxStyle, kPage.placeBox, IDC_PLACE_BOX);
    for (const char16_t* code : kPlaceCodes) {
        SendMessageW(view.placeBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(code));
    }
    SetTextFont(view, false);
    RuleTextBox(view);
    CreateDrawingPen(view);
}

void MakeCanvas(PageView& view) {
    HBITMAP old = view.canvasBitmap;
    if (view.canvasDc) DeleteDC(view.canvasDc);
    view.canvasDc = MakeSurface(view, kPage.width * view.zoom, view.t + kPage.height * view.zoom, view.canvasBitmap);
    if (old) DeleteObject(old);
    DrawBackground(view);
}

void FitControlsToZoom(PageView& view) {
    const auto place = [&view](HWND control, const PageRect& box) {
        const RECT at = view.Client(box);
        MoveWindow(control, at.left, at.top, at.right - at.left, at.bottom - at.top, TRUE);
    };
    place(view.textBox, kPage.textBox);
    place(view.placeBox, kPage.placeBox);
    SetTextFont(view, true);
}

void ReleasePageView(PageView& view) {
    UnruleTextBox(view);
    ReleaseOnce(view.canvasDc, DeleteDC);
    ReleaseOnce(view.canvasBitmap, DeleteObject);
    ReleaseOnce(view.pictureDc, DeleteDC);
    ReleaseOnce(view.pictureBitmap, DeleteObject);
    ReleaseOnce(view.weatherStripDc, DeleteDC);
    ReleaseOnce(view.moodStripDc, DeleteDC);
    ReleaseOnce(view.weatherStripBitmap, DeleteObject);
    ReleaseOnce(view.moodStripBitmap, DeleteObject);
    ReleaseOnce(view.background, DeleteObject);
    ReleaseDrawingPen(view);
    ReleaseOnce(view.textFont, DeleteObject);
    if (view.windowDc) ReleaseDC(view.window, view.windowDc);
    view.windowDc = nullptr;
}
