// The main window: its procedure, painting from the canvas, commands and closing.
#pragma once

#include <windows.h>

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void PaintMainWindow(HWND window);
void RunCommand(HWND window, WPARAM wParam);
void CloseProgram(HWND window);
// Windows is ending the session: the page is stored as a change of day stores it, with
// no question. False (the end is blocked, with the reason shown) when that failed.
bool SaveForEndOfSession(HWND window);
void EndSession(HWND window, bool ending);
