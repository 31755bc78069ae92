// The main window: its procedure, painting from the canvas, commands and closing.
#pragma once

#include <windows.h>

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void PaintMainWindow(HWND window);
void RunCommand(HWND window, WPARAM wParam);
void CloseProgram(HWND window);
