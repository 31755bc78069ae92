// Moving between days, and saving the page on request.
#pragma once

#include <windows.h>

#include "daystore/calendar.h"

// Makes today the current day and shows its date header.
void ShowToday();
void GoNextDay();
void GoPreviousDay();
void PickDay(HWND owner);
// Saves the page on show and, when it was stored, shows the page of `day`.
void GoToDay(const DayKey& day);
// The Find dialog; the day opened from it becomes the current day as GoToDay makes it.
void FindDay(HWND owner);
void SaveTextCommand();
