// Diary Folder...: where the diary is and what kind of folder it is, Explorer on it, and
// another folder for it, the diary moved there when that one holds none.
#pragma once

#include <windows.h>

// True when the diary now runs on another folder, in a program started for it: this one
// is to close.
bool ShowDiaryFolderDialog(HWND mainWindow);
