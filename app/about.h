// The About box.
#pragma once

#include <windows.h>

void ShowAboutDialog(HWND owner);
