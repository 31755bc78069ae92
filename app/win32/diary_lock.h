// The diary menu's lock commands: Lock the Diary... turns every day file into a locked one
// behind a new password and shows the recovery key once; Unlock the Diary... makes them
// plain again; Change Password... gives the key file a new password and rewrites no page.
// Each saves the page on show first, and the page goes on saving the way the diary is
// kept afterwards, locked or plain.
#pragma once

#include <windows.h>

#include <string_view>

// The diary has a key file: it is locked, or was left partly locked.
bool DiaryIsLocked(std::u16string_view diary);

void LockDiaryCommand(HWND mainWindow);
void UnlockDiaryCommand(HWND mainWindow);
void ChangeDiaryPassword(HWND mainWindow);
