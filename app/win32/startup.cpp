#include "startup.h"

#include <commctrl.h>
#include <shellapi.h>

#include <filesystem>
#include <optional>
#include <vector>

#include "about.h"
#include "app/start_options.h"
#include "diary_location.h"
#include "diary_relock.h"
#include "diary_unlocking.h"
#include "diary_window.h"
#include "language_switch.h"
#include "page/win32/conflict_intake.h"
#include "page/win32/disk_changes.h"
#include "page/win32/folder_index.h"
#include "page/win32/open_elsewhere.h"
#include "page/win32/recovered_pages.h"
#include "page_menus.h"
#include "main_window.h"
#include "platform/file_write.h"
#include "platform/win32/loaded_text.h"
#include "platform/wide_text.h"
#include "resources/resource.h"
#include "shell_state.h"
#include "app/window_layout.h"

namespace {

// The words of the command line after the program's own name.
std::vector<std::u16string> CommandLineWords() {
    std::vector<std::u16string> words;
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments) return words;
    for (int i = 1; i < count; ++i) words.push_back(FromWide(arguments[i], wcslen(arguments[i])));
    LocalFree(arguments);
    return words;
}

// The outer window size whose client area is the whole page.
SIZE WindowSizeForClient(int width, int height, DWORD style) {
    RECT rect{0, 0, width, height};
    AdjustWindowRectEx(&rect, style, FALSE, 0);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

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
    windowClass.lpszClassName = kMainWindowClassName;
    return RegisterClassW(&windowClass);
}

bool CreateMainWindow(HINSTANCE instance, int showCommand) {
    // One diary runs once; another may run beside it.
    if (!TakeDiary(std::filesystem::path(g_shell.dataFolder))) return false;
    // Nothing of a locked diary is read before its password is given.
    if (!OpenLockedDiary(nullptr, instance, std::filesystem::path(g_shell.dataFolder))) return false;

    SIZE size = WindowSizeForClient(g_shell.windowWidth, g_shell.contentHeight, g_shell.windowStyle);
    const std::u16string title = LoadText(instance, IDS_WINDOW_TITLE);
    HWND window = CreateWindowExW(0, kMainWindowClassName, WidePointer(title), g_shell.windowStyle, g_shell.windowX,
                                  g_shell.windowY, size.cx, size.cy, nullptr, nullptr, instance, nullptr);
    if (!window) return false;
    g_shell.mainWindow = window;
    MarkDiaryWindow(window, std::filesystem::path(g_shell.dataFolder));
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    return true;
}

bool FindDiaryFolder() {
    const StartOptions options = ParseStartOptions(CommandLineWords());
    g_shell.programFolder = ReadProgramFolder();
    std::optional<std::filesystem::path> named;
    if (options.diary) named = std::filesystem::path(*options.diary);
    g_shell.diaryPlace = FindStartDiary(std::filesystem::path(g_shell.programFolder), named);
    g_shell.dataFolder = g_shell.diaryPlace.folder.u16string();
    // The messages below speak the diary's language, or Windows' where it has none yet.
    ShowStartLanguage(g_shell.diaryPlace.folder);
    if (!options.understood) {
        ShowMessageBox(nullptr, g_shell.instance, IDS_START_OPTIONS, IDS_CAPTION_PROGRAM, MB_OK | MB_ICONINFORMATION);
        return false;
    }
    if (!PrepareDiaryFolder(g_shell.diaryPlace.folder, std::filesystem::path(g_shell.programFolder))) {
        ShowMessageBox(nullptr, g_shell.instance,
                       LoadText(g_shell.instance, IDS_DIARY_FOLDER_UNUSABLE, {g_shell.dataFolder}), IDS_CAPTION_ERR,
                       MB_OK | MB_ICONHAND);
        return false;
    }
    if (options.help) {
        OpenHelpPage(nullptr, g_shell.dataFolder);
        return false;
    }
    return true;
}

bool StartProgram(HINSTANCE instance, HINSTANCE previousInstance, int showCommand) {
    g_shell.instance = instance;
    g_shell.backgroundBrush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    if (!FindDiaryFolder()) return false;

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
    StartRelockWatch(g_shell.mainWindow, diary);
    MarkMenus(diary);  // the idle time, known now

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
