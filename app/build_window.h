// Construction of every object of the main window, on WM_CREATE.
#pragma once

#include <windows.h>

LRESULT BuildMainWindow(HWND window);
