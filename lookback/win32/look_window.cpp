#include "lookback/win32/look_window.h"

#include <commctrl.h>

#include <algorithm>

#include "lookback/month_grid.h"
#include "lookback/thumbnail.h"
#include "platform/win32/dialog_placement.h"
#include "platform/wide_text.h"

DayGlance LookSource::Glance(std::int32_t day, bool withWords) const {
    DayGlance glance = day == DayNumberOf(onShow.day) ? onShow.glance : GlanceAtDay(folder, *index, day, withWords);
    if (waiting.contains(day)) glance.mark.page = glance.mark.unreadable = true;
    return glance;
}

std::optional<DayDrawing> LookSource::Drawing(const DayGlance& glance) const {
    if (glance.day == DayNumberOf(onShow.day)) return onShow.drawing;
    DayDrawing drawing;
    if (glance.picture.empty() || ReadDayDrawing(glance.picture, drawing) != DrawingRead::Read) return std::nullopt;
    return drawing;
}

void RunModalWindow(HWND owner, HWND window, const std::function<void(HWND)>& whenShown) {
    if (!window) return;
    EnableWindow(owner, FALSE);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    UpdateWindow(window);
    if (whenShown) whenShown(window);
    MSG message;
    while (IsWindow(window)) {
        if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
            // The session is ending: the window goes, and the program's own loop hears it too.
            EndModalWindow(window);
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        // A window of controls (WS_EX_CONTROLPARENT) takes Tab, Enter and Escape as a dialog
        // box does; the others have every key for their own selection.
        const bool controls = GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_CONTROLPARENT;
        if (controls && IsDialogMessageW(window, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    EnableWindow(owner, TRUE);
    SetForegroundWindow(owner);
}

void EndModalWindow(HWND window) {
    EnableWindow(GetWindow(window, GW_OWNER), TRUE);
    DestroyWindow(window);
}

OwnedBitmap MakeBitmapOfPixels(const std::vector<std::uint32_t>& pixels, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    OwnedBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    // Never more than the section holds: a 32-bit row needs no padding, so it holds
    // exactly width x height pixels.
    const std::size_t room = static_cast<std::size_t>(std::max(width, 0)) * std::max(height, 0);
    if (bitmap && bits) std::copy_n(pixels.begin(), std::min(pixels.size(), room), static_cast<std::uint32_t*>(bits));
    return bitmap;
}

void AddListColumn(HWND list, int index, const std::u16string& title, int width) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<wchar_t*>(WidePointer(title));
    column.cx = width;
    SendMessageW(list, LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&column));
}

OwnedBitmap MakeThumbnail(const std::optional<DayDrawing>& drawing, int width, int height) {
    if (!drawing)
        return MakeBitmapOfPixels(std::vector<std::uint32_t>(std::size_t(width) * height, 0xFFFFFF), width, height);
    return MakeBitmapOfPixels(ShrinkDrawing(*drawing, width, height), width, height);
}

OwnedFont MakeLookFont(HWND window, int points, bool bold) {
    const int height = -MulDiv(points, GetDeviceCaps(OwnedWindowDc(window).get(), LOGPIXELSY), 72);
    // The face the program's dialogs ask for, which has the Japanese characters.
    return OwnedFont(CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                                 L"ＭＳ 12345"));
}

void DrawDayIcons(HDC dc, const LookSource& source, const DayMark& mark, int x, int y) {
    const int size = source.iconSize;
    if (source.weatherIcons) BitBlt(dc, x, y, size, size, source.weatherIcons, mark.weather * size, 0, SRCCOPY);
    if (source.moodIcons) BitBlt(dc, x + size + 2, y, size, size, source.moodIcons, mark.mood * size, 0, SRCCOPY);
}

void DrawUnreadableMark(HDC dc, const RECT& square) {
    RECT mark = square;
    FillRect(dc, &mark, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, L"!", 1, &mark, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

HWND CreateLookWindow(HWND owner, HINSTANCE instance, const wchar_t* className, WNDPROC procedure,
                      const std::u16string& caption, void* state) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = className;
    RegisterClassW(&windowClass);
    return CreateWindowExW(kLookWindowExStyle, className, WidePointer(caption), kLookWindowStyle, 0, 0, 100, 100, owner,
                           nullptr, instance, state);
}

void PlaceLookWindow(HWND window, int clientWidth, int clientHeight) {
    RECT frame = {0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, kLookWindowStyle, FALSE, kLookWindowExStyle);
    PlaceDialog(window, frame.right - frame.left, frame.bottom - frame.top);
}

int ScreenDpi(HWND window) { return GetDeviceCaps(OwnedWindowDc(window).get(), LOGPIXELSX); }

void PaintOffScreen(HWND window, const std::function<void(HDC, const RECT&)>& draw) {
    PAINTSTRUCT paint;
    HDC screen = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    {
        const OwnedDc dc(CreateCompatibleDC(screen));
        const OwnedBitmap image(CreateCompatibleBitmap(screen, client.right, client.bottom));
        const SelectedObject selectedImage(dc.get(), image.get());
        FillRect(dc.get(), &client, GetSysColorBrush(COLOR_BTNFACE));
        SetBkMode(dc.get(), TRANSPARENT);
        {
            const SelectedObject font(dc.get(), GetStockObject(DEFAULT_GUI_FONT));
            draw(dc.get(), client);
        }
        BitBlt(screen, 0, 0, client.right, client.bottom, dc.get(), 0, 0, SRCCOPY);
    }
    EndPaint(window, &paint);
}

std::optional<DayKey> MovedSelection(WPARAM key, const DayKey& selected, const DayKey& onShow,
                                     const SelectionSteps& steps) {
    const auto upDown = [&](int sign) {
        return steps.upDownDays ? DayAfter(selected, sign * steps.upDownDays)
                                : SameDayInMonth(selected, sign * steps.upDownMonths);
    };
    switch (key) {
    case VK_LEFT: return DayAfter(selected, -1);
    case VK_RIGHT: return DayAfter(selected, 1);
    case VK_UP: return upDown(-1);
    case VK_DOWN: return upDown(1);
    case VK_PRIOR: return SameDayInMonth(selected, -steps.pageMonths);
    case VK_NEXT: return SameDayInMonth(selected, steps.pageMonths);
    case VK_HOME: return onShow;
    default: return std::nullopt;
    }
}
