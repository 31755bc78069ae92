// Start-up: data folder, layout, single-instance rule, window creation and the message loop.
#pragma once

#include <windows.h>

#include <string>

std::u16string ReadDataFolder();
bool ChooseWindowLayout();
ATOM RegisterMainWindowClass(HINSTANCE instance);
bool CreateMainWindow(HINSTANCE instance, int showCommand);
int RunMessageLoop();

// Everything before the message loop: the data folder, the layout, the window class,
// the main window and the accelerators. False when the program is not to run.
bool StartProgram(HINSTANCE instance, HINSTANCE previousInstance, int showCommand);
