// The About box, and the help page it opens in the help viewer.
#pragma once

#include <windows.h>

#include <string>

void ShowAboutDialog(HWND owner);
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Writes the help page and starts the help viewer beside the program on it; the user is
// told when either fails.
bool OpenHelpPage(HWND owner, const std::u16string& diaryFolder);
