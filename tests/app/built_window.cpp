#include "built_window.h"

#include <cstdlib>

#include "platform/file_read.h"
#include "program_harness.h"
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

namespace {

// The visible dialog of this process other than `answered` and the status strip (a
// dialog too).
HWND FindVisibleDialog(HWND answered) {
    for (HWND box = nullptr; (box = FindWindowExW(nullptr, box, L"#32770", nullptr));) {
        if (box != answered && box != g_shell.statusStrip && IsWindowVisible(box)) return box;
    }
    return nullptr;
}

}  // namespace

MessageBoxAnswer::MessageBoxAnswer(std::initializer_list<int> buttons) : buttons_(buttons) {
    thread_ = std::thread([this] {
        HWND answered = nullptr;
        for (int button : buttons_) {
            HWND box = nullptr;
            for (int tries = 0; tries < 200 && !box; ++tries) {
                box = FindVisibleDialog(answered);
                if (!box) Sleep(25);
            }
            if (!box) return;
            if (!seen_.empty()) seen_ += L" / ";
            seen_ += WindowText(box) + L"|" + WindowText(GetDlgItem(box, 0xFFFF));
            PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(button), 0);
            answered = box;
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

std::optional<std::filesystem::path> TroubledFolder(const char* variable) {
    // Host paths are reached through drive Z:.
    const char* unixPath = std::getenv(variable);
    if (!unixPath || !*unixPath) return std::nullopt;
    std::string path = std::string("Z:") + unixPath;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
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
