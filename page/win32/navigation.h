// Moving between days, and saving the page on request.
#pragma once

#include <windows.h>

#include "diarycore/calendar.h"

class Page;
class PageView;

// Makes today the page's day and shows its date header.
void ShowToday(Page& page, PageView& view);
// Each of these saves the page on show first and stays on it when it could not be
// stored. True when another day is on show now.
bool GoNextDay(Page& page, PageView& view);
bool GoPreviousDay(Page& page, PageView& view);
bool GoToDay(Page& page, PageView& view, const DayKey& day);
// The day picker; the page is saved when it opens, and Cancel keeps the day.
bool PickDay(Page& page, PageView& view, HWND owner);
// The Find dialog, over the saved days and the page on show as it is; the day opened
// from it becomes the page's day as GoToDay makes it.
bool FindDay(Page& page, PageView& view, HWND owner);
// Ctrl+S: the text is stored whether it changed or not, and the user is told.
void SaveTextCommand(Page& page, PageView& view);
