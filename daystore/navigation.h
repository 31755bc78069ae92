// Moving between days, and saving the page on request.
#pragma once

#include <windows.h>

// Makes today the current day and shows its date header.
void ShowToday();
void GoNextDay();
void GoPreviousDay();
void PickDay(HWND owner);
void SaveTextCommand();
