#include "window_zoom.h"

#include <algorithm>
#include <filesystem>

#include "diarycore/settings.h"
#include "diary_window.h"
#include "keyboard_focus.h"
#include "page/win32/diary_settings.h"
#include "page/win32/page_zoom.h"
#include "platform/win32/command_bar.h"
#include "platform/win32/window_object.h"
#include "shell_state.h"
#include "app/window_layout.h"
#include "app/zoom_choice.h"

namespace {

// Only Windows 10 (1607) and later know each monitor's scale; elsewhere the system's
// scale, which the screen's device context tells, is every monitor's.
int WindowDpi(HWND window) {
    static const auto getDpiForWindow = reinterpret_cast<decltype(&GetDpiForWindow)>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (const UINT dpi = getDpiForWindow ? getDpiForWindow(window) : 0) return static_cast<int>(dpi);
    const int dpi = GetDeviceCaps(OwnedWindowDc(nullptr).get(), LOGPIXELSY);
    return dpi > 0 ? dpi : kStandardDpi;
}

// The window's frame (caption, menu bar, borders) around a client area, at a scale.
RECT FrameAround(HWND window, RECT client, int dpi) {
    static const auto adjustForDpi = reinterpret_cast<decltype(&AdjustWindowRectExForDpi)>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
    const BOOL menu = GetMenu(window) != nullptr;
    if (adjustForDpi) {
        adjustForDpi(&client, g_shell.windowStyle, menu, 0, static_cast<UINT>(dpi));
    } else {
        AdjustWindowRectEx(&client, g_shell.windowStyle, menu, 0);
    }
    return client;
}

RECT WorkArea(HMONITOR monitor) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    GetMonitorInfoW(monitor, &info);
    return info.rcWork;
}

int LargestZoomOn(HWND window, HMONITOR monitor, int dpi) {
    if (!g_shell.tallScreen) return 1;
    const RECT frame = FrameAround(window, {}, dpi), work = WorkArea(monitor);
    return LargestZoomThatFits((work.right - work.left) - (frame.right - frame.left),
                               (work.bottom - work.top) - (frame.bottom - frame.top), g_shell.commandBarAt1x);
}

// The window sized to the page at `zoom`, its top left at `at`, moved left and up as far
// as needed to stay inside `work` where one is given.
void SizeWindowToPage(HWND window, int zoom, POINT at, int dpi, const RECT* work, UINT flags = 0) {
    g_shell.windowWidth = kPageWidth * zoom;
    g_shell.contentHeight = g_shell.commandBarHeight + kPageHeight * zoom;
    const RECT frame = FrameAround(window, {0, 0, g_shell.windowWidth, g_shell.contentHeight}, dpi);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    if (work) {
        at.x = std::max(work->left, std::min(at.x, work->right - width));
        at.y = std::max(work->top, std::min(at.y, work->bottom - height));
    }
    g_shell.windowX = at.x;
    g_shell.windowY = at.y;
    SetWindowPos(window, nullptr, at.x, at.y, width, height, SWP_NOZORDER | SWP_NOACTIVATE | flags);
    // The command bar spans the client area's new width.
    if (g_shell.commandBar) SendMessageW(g_shell.commandBar.get(), TB_AUTOSIZE, 0, 0);
}

void ApplyZoom(DiaryWindow& diary, int zoom, int dpi, POINT at, HMONITOR monitor) {
    ShowCommandBarAtZoom(zoom);
    diary.view.t = g_shell.commandBarHeight;
    SetPageZoom(diary.page, diary.view, zoom);
    const RECT work = WorkArea(monitor);
    SizeWindowToPage(diary.view.window, zoom, at, dpi, &work);
}

}  // namespace

void ShowCommandBarAtZoom(int zoom) {
    if (!g_shell.commandBar) return;
    g_shell.commandBarImages = CommandBar_SetImages(g_shell.commandBar.get(),
                                                    {g_shell.toolbarButtons.get(), g_shell.colourButtons.get()}, zoom);
    g_shell.commandBarHeight = CommandBar_Height(g_shell.commandBar.get());
}

int LargestZoomOfWindow(HWND window) {
    return LargestZoomOn(window, MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), WindowDpi(window));
}

void ChooseStartZoom(DiaryWindow& diary, HWND window) {
    if (!g_shell.tallScreen) return;
    const int dpi = WindowDpi(window);
    const int zoom = ZoomForMonitor(ReadZoomChoice(DiarySettings(diary.page)), dpi, LargestZoomOfWindow(window));
    diary.view.zoom = zoom;
    ShowCommandBarAtZoom(zoom);
    // Centred on the screen by the page's size, as the 1x window always was; the page is
    // painted once it is made.
    const POINT centred{(GetSystemMetrics(SM_CXSCREEN) - kPageWidth * zoom) / 2,
                        CentredWindowY(GetSystemMetrics(SM_CYSCREEN), g_shell.commandBarHeight + kPageHeight * zoom)};
    const RECT work = WorkArea(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
    SizeWindowToPage(window, zoom, centred, dpi, zoom > 1 ? &work : nullptr, SWP_NOREDRAW);
}

void ChooseZoom(DiaryWindow& diary, int zoom) {
    HWND window = diary.view.window;
    if (!g_shell.tallScreen || zoom < 1 || zoom > LargestZoomOfWindow(window)) {
        MessageBeep(MB_OK);
        return;
    }
    // The notification icon's menu reaches the View items while the window is
    // minimised: the page is shown at its new size.
    BringWindowToFront(window);
    const int dpi = WindowDpi(window);
    RECT now{};
    GetWindowRect(window, &now);
    ApplyZoom(diary, zoom, dpi, {now.left, now.top}, MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
    // Kept with what else the file holds. A folder that refuses it, or a file that could
    // not be read, leaves the page at the zoom for this run only.
    KeepDiarySettings(diary.page, diary.view, window, [&](Settings& settings) {
        KeepZoomChoice(settings, {zoom, dpi});
    });
}

void StepZoom(DiaryWindow& diary, int step) { ChooseZoom(diary, diary.view.zoom + step); }

void FollowMonitorScale(DiaryWindow& diary, int dpi, const RECT& suggested) {
    if (!g_shell.tallScreen) return;
    HMONITOR monitor = MonitorFromRect(&suggested, MONITOR_DEFAULTTONEAREST);
    const int zoom =
        ZoomForMonitor(ReadZoomChoice(DiarySettings(diary.page)), dpi, LargestZoomOn(diary.view.window, monitor, dpi));
    ApplyZoom(diary, zoom, dpi, {suggested.left, suggested.top}, monitor);
}
