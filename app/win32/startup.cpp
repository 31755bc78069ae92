#include "startup.h"

#include <commctrl.h>

#include <filesystem>
#include <vector>

#include "diary_window.h"
#include "language_switch.h"
#include "page/win32/conflict_intake.h"
#include "page/win32/disk_changes.h"
#include "page/win32/folder_index.h"
#include "page/win32/open_elsewhere.h"
#include "page/win32/recovered_pages.h"
#include "main_window.h"
#include "platform/file_write.h"
#include "platform/win32/loaded_text.h"
#include "platform/wide_text.h"
#include "resources/resource.h"
#include "shell_state.h"
#include "app/window_layout.h"

namespace {

constexpr wchar_t kClassName[] = L"DOODLE_BINDER";
constexpr wchar_t kMutexName[] = L"DOODLE_BINDER";

// The module path, however long: the buffer grows until the whole path fits, so a
// long folder is never cut into a different one.
std::u16string ReadModulePath() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) return FromWide(buffer.data(), length);
        if (buffer.size() >= 65536) return {};
        buffer.resize(buffer.size() * 2);
    }
}

// The outer window size whose client area is the whole page.
SIZE WindowSizeForClient(int width, int height, DWORD style) {
    RECT rect{0, 0, width, height};
    AdjustWindowRectEx(&rect, style, FALSE, 0);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

std::u16string ReadDataFolder() { return DataFolderOf(ReadModulePath()); }

bool ChooseWindowLayout() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_DATE_CLASSES};
    InitCommonControlsEx(&controls);

    WindowLayout layout = ChooseLayoutForScreen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    if (!layout.fits) {
        ShowMessageBox(nullptr, g_shell.instance, IDS_SCREEN_TOO_SMALL, IDS_CAPTION_ERR, MB_OK | MB_ICONHAND);
        return false;
    }
    g_shell.tallScreen = layout.tallScreen;
    g_shell.windowX = layout.x;
    g_shell.windowY = layout.y;
    g_shell.windowStyle = layout.style;
    return true;
}

ATOM RegisterMainWindowClass(HINSTANCE instance) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = g_shell.backgroundBrush;
    windowClass.lpszClassName = kClassName;
    return RegisterClassW(&windowClass);
}

bool CreateMainWindow(HINSTANCE instance, int showCommand) {
    // The handle is deliberately not kept: the mutex lives as long as the process.
    CreateMutexW(nullptr, TRUE, kMutexName);
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        if (HWND running = FindWindowW(kClassName, nullptr)) SetForegroundWindow(running);
        return false;
    }

    SIZE size = WindowSizeForClient(g_shell.windowWidth, g_shell.contentHeight, g_shell.windowStyle);
    const std::u16string title = LoadText(instance, IDS_WINDOW_TITLE);
    HWND window = CreateWindowExW(0, kClassName, WidePointer(title), g_shell.windowStyle, g_shell.windowX,
                                  g_shell.windowY, size.cx, size.cy, nullptr, nullptr, instance, nullptr);
    if (!window) return false;
    g_shell.mainWindow = window;
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    return true;
}

bool StartProgram(HINSTANCE instance, HINSTANCE previousInstance, int showCommand) {
    g_shell.dataFolder = ReadDataFolder();
    g_shell.instance = instance;
    g_shell.backgroundBrush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    ShowStartLanguage(std::filesystem::path(g_shell.dataFolder));

    if (!ChooseWindowLayout()) return false;
    if (!previousInstance && !RegisterMainWindowClass(instance)) return false;
    if (!CreateMainWindow(instance, showCommand)) return false;
    // Only now, as the one running diary: a write of this folder's files that a crash or
    // a power cut interrupted left its temporary file behind.
    DiaryWindow& diary = DiaryOf(g_shell.mainWindow);
    SweepLeftoverTemporaryFiles(diary.page, diary.view);
    OfferRecoveredPages(diary.page, diary.view);
    // What the sync tool brought while the program was not running: the copies it left of
    // days both computers changed, and the day on show changed meanwhile.
    TakeInConflictCopies(diary.page, diary.view);
    TakeInDiskChanges(diary.page, diary.view);
    StartPresence(diary.page, diary.view);

    g_shell.accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATORS));
    return true;
}

int RunMessageLoop() {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0)) {
        if (g_shell.statusStrip.get() && IsDialogMessageW(g_shell.statusStrip.get(), &message)) continue;
        if (g_shell.accelerators && TranslateAcceleratorW(g_shell.mainWindow, g_shell.accelerators, &message)) {
            g_shell.altChordTaken = g_shell.altChordTaken || GetKeyState(VK_MENU) < 0;
            continue;
        }
        if (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) g_shell.altChordTaken = false;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
