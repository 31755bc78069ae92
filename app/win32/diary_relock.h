// An opened locked diary locks again when nobody has used the computer for the time the
// user chose, and when Windows locks the session: the page on show is saved (locked, as
// every write of an opened locked diary is), every window of the diary is hidden, and the
// password is asked before any shows again. Giving up then closes the program.
#pragma once

#include <windows.h>

struct DiaryWindow;

// From the diary's opening on, whether it is locked or not: it may be locked from the
// diary menu later.
void StartRelockWatch(HWND window, DiaryWindow& diary);
void StopRelockWatch(HWND window, DiaryWindow& diary);
void RelockOnTimer(HWND window, DiaryWindow& diary, WPARAM timer);
// WM_WTSSESSION_CHANGE.
void RelockOnSessionChange(HWND window, DiaryWindow& diary, WPARAM change);
// Lock When Idle: the choice's place in kIdleLockChoices, kept in the settings file and
// followed from now on.
void ChooseIdleLock(HWND window, DiaryWindow& diary, int choice);
