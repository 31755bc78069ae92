// Moving between days, and saving the page on request.
#pragma once

#include <windows.h>

void GoNextDay();
void GoPreviousDay();
void PickDay(HWND owner);
void SaveTextCommand();
