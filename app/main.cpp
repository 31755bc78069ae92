// Entry point of the diary program.
#include <windows.h>

#include "resource.h"
#include "shell_state.h"
#include "startup.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previousInstance, PWSTR, int showCommand) {
    g_shell.dataFolder = ReadDataFolder();
    g_shell.instance = instance;
    g_shell.backgroundBrush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));

    if (!ChooseWindowLayout()) return 0;
    if (!previousInstance && !RegisterMainWindowClass(instance)) return 0;
    if (!CreateMainWindow(instance, showCommand)) return 0;

    g_shell.accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATORS));
    return RunMessageLoop();
}
