// The dialog that writes a run of days into one HTML document and, when asked, turns
// their pictures into JPEG files beside it.
#pragma once

#include <windows.h>

void ShowHtmlOutputDialog(HWND owner);
INT_PTR CALLBACK HtmlOutputDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
