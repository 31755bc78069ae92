#include "built_window.h"

#include <algorithm>
#include <cstdlib>

#include "canvas/strokes.h"
#include "daystore/date_header.h"
#include "daystore/page.h"
#include "platform/file_read.h"
#include "shell_state.h"
#include "startup.h"

std::vector<WPARAM> g_commandsSeen;

namespace {

WNDPROC g_mainProc = nullptr;

// Sits in front of the program's window procedure and notes every command it is given.
LRESULT CALLBACK RecordCommands(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) g_commandsSeen.push_back(wParam);
    return CallWindowProcW(g_mainProc, window, message, wParam, lParam);
}

}  // namespace

HWND BuildWindowOnce() {
    static HWND window = [] {
        static TemporaryFolder folder(L"build");
        g_shell.instance = GetModuleHandleW(nullptr);
        g_shell.dataFolder = folder.Path().u16string();
        g_shell.backgroundBrush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        if (!ChooseWindowLayout() || !RegisterMainWindowClass(g_shell.instance) ||
            !CreateMainWindow(g_shell.instance, SW_SHOW)) {
            return HWND{};
        }
        g_mainProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(g_shell.mainWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordCommands)));
        SetForegroundWindow(g_shell.mainWindow);
        PumpMessages(300);
        return g_shell.mainWindow;
    }();
    return window;
}

void OnBuiltWindow::SetUp() {
    ASSERT_NE(BuildWindowOnce(), nullptr);
    g_shell.dataFolder = folder_.Path().u16string();
}

int T() { return g_shell.commandBarHeight; }

void Command(WPARAM id) { SendMessageW(g_shell.mainWindow, WM_COMMAND, id, 0); }

void OpenDay(const DayKey& day) {
    SetWindowTextW(g_shell.textBox, L"");
    g_page.currentDay = day;
    LoadDay();
    DrawDateHeader();
}

void Stroke(std::initializer_list<POINT> points) {
    auto it = points.begin();
    StartStrokeWithCapture(g_shell.mainWindow, it->x, it->y);
    for (++it; it != points.end(); ++it) {
        SendMessageW(g_shell.mainWindow, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(it->x, it->y));
    }
    SendMessageW(g_shell.mainWindow, WM_LBUTTONUP, 0, MAKELPARAM(points.end()[-1].x, points.end()[-1].y));
}

void WhitenPictureFrame() {
    RECT frame{334, T() + 15, 607, T() + 185};
    FillRect(g_shell.canvasDc, &frame, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

std::vector<int> RuledRows() {
    PumpMessages(150);
    HDC dc = GetDC(g_shell.textBox);
    std::vector<int> rows;
    for (int y = 0; y < 149; ++y) {
        if (GetPixel(dc, 250, y) == RGB(170, 114, 17)) rows.push_back(y);
    }
    ReleaseDC(g_shell.textBox, dc);
    return rows;
}

bool MenuChecked(HMENU menu, UINT command) { return (GetMenuState(menu, command, MF_BYCOMMAND) & MF_CHECKED) != 0; }

namespace {

// The visible dialogs of this process other than the status strip (a dialog too).
std::vector<HWND> VisibleDialogs() {
    std::vector<HWND> dialogs;
    for (HWND box = nullptr; (box = FindWindowExW(nullptr, box, L"#32770", nullptr));) {
        if (box != g_shell.statusStrip && IsWindowVisible(box)) dialogs.push_back(box);
    }
    return dialogs;
}

}  // namespace

MessageBoxAnswer::MessageBoxAnswer(std::initializer_list<int> buttons)
    : buttons_(buttons), shownBefore_(VisibleDialogs()) {
    thread_ = std::thread([this] {
        for (int button : buttons_) {
            HWND box = nullptr;
            for (int tries = 0; tries < 200 && !box; ++tries) {
                for (HWND dialog : VisibleDialogs()) {
                    if (std::find(shownBefore_.begin(), shownBefore_.end(), dialog) == shownBefore_.end()) box = dialog;
                }
                if (!box) Sleep(25);
            }
            if (!box) return;
            if (!seen_.empty()) seen_ += L" / ";
            seen_ += WindowText(box) + L"|" + WindowText(GetDlgItem(box, 0xFFFF));
            PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(button), 0);
            shownBefore_.push_back(box);
        }
    });
}

MessageBoxAnswer::~MessageBoxAnswer() {
    if (thread_.joinable()) thread_.join();
}

std::wstring MessageBoxAnswer::Seen() {
    if (thread_.joinable()) thread_.join();
    return seen_;
}

std::wstring MessagesShownBy(const std::function<void()>& action, std::initializer_list<int> buttons) {
    MessageBoxAnswer answer(buttons);
    action();
    return answer.Seen();
}

bool WorkDialog(WPARAM command, const wchar_t* caption, const std::function<void(HWND)>& work) {
    bool opened = false;
    std::thread worker([&] {
        for (int tries = 0; tries < 200 && !opened; ++tries) {
            HWND dialog = FindWindowW(L"#32770", caption);
            opened = dialog && IsWindowVisible(dialog);
            if (opened) {
                // The dialog's controls are filled in while it initialises.
                Sleep(100);
                work(dialog);
            } else {
                Sleep(25);
            }
        }
    });
    Command(command);
    worker.join();
    return opened;
}

bool ButtonsInside(HWND dialog, int leftButton, int rightButton) {
    RECT client, left, right;
    GetClientRect(dialog, &client);
    GetWindowRect(GetDlgItem(dialog, leftButton), &left);
    GetWindowRect(GetDlgItem(dialog, rightButton), &right);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&left), 2);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&right), 2);
    return IsWindowVisible(GetDlgItem(dialog, leftButton)) && IsWindowVisible(GetDlgItem(dialog, rightButton)) &&
           left.left >= 0 && left.top >= 0 && left.right <= right.left && right.right <= client.right &&
           right.bottom <= client.bottom;
}

std::optional<std::filesystem::path> TroubledFolder(const char* variable) {
    // Host paths are reached through drive Z:.
    const char* unixPath = std::getenv(variable);
    if (!unixPath || !*unixPath) return std::nullopt;
    std::string path = std::string("Z:") + unixPath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return std::filesystem::path(path);
}

namespace {

OpenedMenu g_opened;

void CALLBACK NoteOpenMenu(HWND, UINT, UINT_PTR, DWORD) {
    HWND popup = FindWindowW(L"#32768", nullptr);
    if (popup && IsWindowVisible(popup)) {
        if (!g_opened.seen) {
            g_opened.seen = true;
            GetWindowRect(popup, &g_opened.rect);
        }
        EndMenu();
    }
}

}  // namespace

OpenedMenu WatchForMenu(DWORD ms, const std::function<void()>& action) {
    g_opened = {};
    UINT_PTR timer = SetTimer(nullptr, 0, 50, NoteOpenMenu);
    action();
    PumpMessages(ms);
    KillTimer(nullptr, timer);
    PumpMessages(100);
    return g_opened;
}

void ClickAt(POINT screen) {
    SetCursorPos(screen.x, screen.y);
    INPUT presses[2] = {};
    presses[0].type = presses[1].type = INPUT_MOUSE;
    presses[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    presses[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, presses, sizeof(INPUT));
}

POINT CentreOf(const RECT& rect) { return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

std::vector<std::uint8_t> FileBytes(const std::filesystem::path& path) {
    std::vector<std::uint8_t> bytes;
    ReadWholeFile(path, bytes);
    return bytes;
}
