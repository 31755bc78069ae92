// The windows that look back over the diary, opened over the page: the month of drawings,
// the same date in earlier years, the year in colours.
#pragma once

#include <windows.h>

#include <functional>

#include "diarycore/week_start.h"

class Page;
class PageView;

enum class LookBackView { Month, SameDay, Year };

// Opens the window with the page on show as it is in memory. The day opened from it
// becomes the page's day as GoToDay makes it: the page on show is saved first, and stays
// when it cannot be. True when another day is on show now.
// `whenShown` is called once the window is up and painted.
bool LookBack(Page& page, PageView& view, HWND owner, LookBackView which,
              const std::function<void(HWND)>& whenShown = {});

// The day the weeks start on in the calendars, the views and the book, as the diary's
// settings file keeps it; a folder that refuses the choice holds it for the run.
WeekStart ChosenWeekStart(const Page& page);
void ChooseWeekStart(Page& page, PageView& view, HWND owner, WeekStart start);
