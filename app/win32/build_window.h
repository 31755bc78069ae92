// Construction of every object of the main window, on WM_CREATE.
#pragma once

#include <windows.h>

// Makes the window's diary (diary_window.h) on the data folder, then every object.
LRESULT BuildMainWindow(HWND window);

// The status strip handles nothing itself; the dialog manager's defaults apply.
INT_PTR CALLBACK StatusStripDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
