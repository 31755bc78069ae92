// Start-up: data folder, layout, single-instance rule, window creation and the message loop.
#pragma once

#include <windows.h>

#include <string>

std::u16string ReadDataFolder();
bool ChooseWindowLayout();
ATOM RegisterMainWindowClass(HINSTANCE instance);
bool CreateMainWindow(HINSTANCE instance, int showCommand);
int RunMessageLoop();
