#include "built_window.h"

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
