#include "built_window.h"

#include "page/win32/date_header.h"
#include "page/win32/page_files.h"
#include "page/win32/picture_surface.h"
#include "page/win32/strokes.h"
#include "platform/win32/shown_language.h"
#include "app/win32/startup.h"

HWND BuildWindowOnce() {
    static HWND window = [] {
        static ScratchFolder folder;
        g_shell.instance = GetModuleHandleW(nullptr);
        g_shell.dataFolder = folder.Path().u16string();
        g_shell.backgroundBrush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        if (!ChooseWindowLayout() || !RegisterMainWindowClass(g_shell.instance) ||
            !CreateMainWindow(g_shell.instance, SW_SHOW)) {
            return HWND{};
        }
        SetForegroundWindow(g_shell.mainWindow);
        PumpMessages(300);
        return g_shell.mainWindow;
    }();
    return window;
}

Page& ThePage() { return DiaryOf(BuildWindowOnce()).page; }
PageView& TheView() { return DiaryOf(BuildWindowOnce()).view; }

void OnBuiltWindow::SetUp() {
    // The handheld's language, as the tests' Windows speaks; a test of the windows added
    // since may choose English for its texts.
    ShowLanguage(ProgramLanguage::Japanese);
    ASSERT_NE(BuildWindowOnce(), nullptr);
    OpenDiary(folder_.Path());
}

void OnBuiltWindow::OpenDiary(const std::filesystem::path& folder) {
    // As a portable program in the folder: the help viewer is looked for there too.
    g_shell.programFolder = folder.u16string();
    g_shell.diaryPlace.kind = DiaryPlaceKind::Portable;
    const DayKey day = ThePage().Day();
    ThePage() = Page(folder.u16string());
    ThePage().TurnTo(day);
}

void RelistDiary() { ThePage().diary.index.Forget(); }

void OpenDay(const DayKey& day) {
    RelistDiary();
    SetWindowTextW(TheView().textBox, L"");
    ThePage().TurnTo(day);
    LoadDay(ThePage(), TheView());
    DrawDateHeader(TheView(), day);
}

void Stroke(std::initializer_list<POINT> points) {
    auto it = points.begin();
    StartStrokeWithCapture(ThePage(), TheView(), TheView().PageAt(it->x, it->y));
    for (++it; it != points.end(); ++it) {
        SendMessageW(g_shell.mainWindow, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(it->x, it->y));
    }
    SendMessageW(g_shell.mainWindow, WM_LBUTTONUP, 0, MAKELPARAM(points.end()[-1].x, points.end()[-1].y));
}

bool WorkDialog(WPARAM command, const wchar_t* caption, const std::function<void(HWND)>& work) {
    bool opened = false;
    WorkDialogs([command] { Command(command); },
                [&](HWND dialog) {
                    opened = WindowText(dialog) == caption;
                    work(dialog);
                    return false;
                });
    return opened;
}

RECT ChildRect(HWND child) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool InsideWorkArea(HWND window) {
    RECT frame{}, shown{};
    GetWindowRect(window, &frame);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    return IntersectRect(&shown, &frame, &monitor.rcWork) && EqualRect(&shown, &frame);
}

bool ButtonsInside(HWND dialog, int leftButton, int rightButton) {
    RECT client, left = ChildRect(GetDlgItem(dialog, leftButton)), right = ChildRect(GetDlgItem(dialog, rightButton));
    GetClientRect(dialog, &client);
    return IsWindowVisible(GetDlgItem(dialog, leftButton)) && IsWindowVisible(GetDlgItem(dialog, rightButton)) &&
           left.left >= 0 && left.top >= 0 && left.right <= right.left && right.right <= client.right &&
           right.bottom <= client.bottom;
}
