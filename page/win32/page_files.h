// Saving and loading a whole day between the page and its files: a save writes only what
// changed since the page was loaded, so a day that was only looked at keeps its files,
// and their times, as they were.
#pragma once

#include "page/win32/day_loading.h"
#include "page/page.h"

class PageView;

// Stores what changed on the page on show. False when something could not be stored;
// outside the end of the session the user has been told why.
bool SaveDay(Page& page, PageView& view, SaveMode mode = SaveMode::ChangeOfDay);
