#include "build_page_view.h"

#include <iterator>

#include "diarycore/place_codes.h"
#include "page/win32/page_view.h"
#include "page/win32/pens.h"
#include "page/win32/ruled_text_box.h"
#include "platform/win32/loaded_text.h"
#include "platform/wide_text.h"
#include "resources/resource.h"

namespace {

constexpr DWORD kTextBoxStyle = 0x50000044;   // WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL
constexpr DWORD kPlaceBoxStyle = 0x50000003;  // WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST

OwnedDc MakeStrip(const PageView& view, int bitmapId, OwnedBitmap& bitmap) {
    OwnedDc dc(CreateCompatibleDC(view.windowDc.get()));
    bitmap.reset(LoadBitmapW(view.instance, MAKEINTRESOURCEW(bitmapId)));
    SelectObject(dc.get(), bitmap.get());
    return dc;
}

// A 32-bit top-down surface of the given size, white.
OwnedDc MakeSurface(const PageView& view, int width, int height, OwnedBitmap& bitmap) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap.reset(CreateDIBSection(view.windowDc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    OwnedDc dc(CreateCompatibleDC(view.windowDc.get()));
    SelectObject(dc.get(), bitmap.get());
    RECT all{0, 0, width, height};
    FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    return dc;
}

HWND MakeChild(const PageView& view, const wchar_t* className, DWORD style, const PageRect& box, int id) {
    RECT at = view.Client(box);
    return CreateWindowExW(0, className, nullptr, style, at.left, at.top, at.right - at.left, at.bottom - at.top,
                           view.window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), view.instance, nullptr);
}

void DrawBackground(const PageView& view) {
    const OwnedDc paper(CreateCompatibleDC(view.windowDc.get()));
    const SelectedObject background(paper.get(), view.background.get());
    const HDC canvas = view.canvasDc.get();
    // Pixel for pixel at any zoom: the paper's lines stay crisp.
    SetStretchBltMode(canvas, COLORONCOLOR);
    StretchBlt(canvas, 0, view.t, kPage.width * view.zoom, kPage.height * view.zoom, paper.get(), 0, 0, kPage.width,
               kPage.height, SRCCOPY);
}

// The text box's and the place box's font at the zoom; the one it replaces goes once they
// have the new one.
void SetTextFont(PageView& view, bool redraw) {
    LOGFONTW face{};
    face.lfHeight = kPage.textFontHeight * view.zoom;
    face.lfWeight = FW_NORMAL;
    face.lfCharSet = SHIFTJIS_CHARSET;
    const OwnedFont replaced = std::exchange(view.textFont, OwnedFont(CreateFontIndirectW(&face)));
    const auto font = reinterpret_cast<WPARAM>(view.textFont.get());
    SendMessageW(view.textBox, WM_SETFONT, font, redraw);
    SendMessageW(view.placeBox, WM_SETFONT, font, redraw);
    SendMessageW(view.textBox, EM_SETMARGINS, EC_USEFONTINFO, 2);
}

}  // namespace

void BuildPageView(PageView& view, HWND window, HINSTANCE instance, int t) {
    view.window = window;
    view.instance = instance;
    view.t = t;
    view.windowDc = OwnedWindowDc(window);
    view.pictureDc = MakeSurface(view, kPage.picture.Width(), kPage.picture.Height(), view.pictureBitmap);
    view.weatherStripDc = MakeStrip(view, IDB_WEATHER_STRIP, view.weatherStripBitmap);
    view.moodStripDc = MakeStrip(view, IDB_MOOD_STRIP, view.moodStripBitmap);
    view.background.reset(LoadBitmapW(instance, MAKEINTRESOURCEW(IDB_BACKGROUND)));
    MakeCanvas(view);

    view.textBox = MakeChild(view, L"EDIT", kTextBoxStyle, kPage.textBox, IDC_TEXT_BOX);
    view.placeBox = MakeChild(view, L"COMBOBOX", kPlaceBoxStyle, kPage.placeBox, IDC_PLACE_BOX);
    NamePlaces(view);
    SetTextFont(view, false);
    RuleTextBox(view);
    CreateDrawingPen(view);
}

void NamePlaces(PageView& view) {
    // The handheld's codes in Japanese, the places' names in English; the item's index is
    // what a record keeps, whatever the words.
    const LRESULT chosen = SendMessageW(view.placeBox, CB_GETCURSEL, 0, 0);
    SendMessageW(view.placeBox, CB_RESETCONTENT, 0, 0);
    for (int place = 0; place < static_cast<int>(std::size(kPlaceCodes)); ++place) {
        const std::u16string name = LoadText(view.instance, IDS_PLACE_FIRST + place);
        SendMessageW(view.placeBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WidePointer(name)));
    }
    SendMessageW(view.placeBox, CB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
}

void MakeCanvas(PageView& view) {
    // The old canvas's device context goes first, its bitmap once the new surface is made.
    const OwnedBitmap old = std::move(view.canvasBitmap);
    view.canvasDc.reset();
    view.canvasDc = MakeSurface(view, kPage.width * view.zoom, view.t + kPage.height * view.zoom, view.canvasBitmap);
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
    view.canvasDc.reset();
    view.canvasBitmap.reset();
    view.pictureDc.reset();
    view.pictureBitmap.reset();
    view.weatherStripDc.reset();
    view.moodStripDc.reset();
    view.weatherStripBitmap.reset();
    view.moodStripBitmap.reset();
    view.background.reset();
    ReleaseDrawingPen(view);
    view.textFont.reset();
    view.windowDc.reset();
}
