// The dialog that writes a run of days into one HTML document.
#pragma once

#include <windows.h>

void ShowHtmlOutputDialog(HWND owner);
