// Entry point of the diary program.
#include <windows.h>

#include "startup.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previousInstance, PWSTR, int showCommand) {
    if (!StartProgram(instance, previousInstance, showCommand)) return 0;
    return RunMessageLoop();
}
