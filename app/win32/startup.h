// Start-up: the diary folder, layout, single-instance rule, window creation and the message loop.
#pragma once

#include <windows.h>

#include <string>

// The diary's folder for this run, made where missing; false when the program is not to
// run (the folder cannot be made, the command line was not understood, or it asked for
// the help page alone).
bool FindDiaryFolder();
bool ChooseWindowLayout();
ATOM RegisterMainWindowClass(HINSTANCE instance);
bool CreateMainWindow(HINSTANCE instance, int showCommand);
int RunMessageLoop();

// Everything before the message loop: the data folder, the layout, the window class,
// the main window and the accelerators. False when the program is not to run.
bool StartProgram(HINSTANCE instance, HINSTANCE previousInstance, int showCommand);
