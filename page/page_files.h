// Saving and loading a whole day between the page and its files: a save writes only what
// changed since the page was loaded, so a day that was only looked at keeps its files,
// and their times, as they were.
#pragma once

#include "page/page.h"

class PageView;

// Stores what changed on the page on show. False when something could not be stored;
// outside the end of the session the user has been told why.
bool SaveDay(Page& page, PageView& view, SaveMode mode = SaveMode::ChangeOfDay);
// Shows the page of the page's day: text, place, weather, mood and picture.
void LoadDay(Page& page, PageView& view);
// Puts a record of the day on show on the page as loading would show it (text, place,
// weather, mood), for a recovered copy or an earlier version; the caller notes the change.
void PutRecordOnPage(Page& page, PageView& view, const DayRecord& record);
// Draws what the page on show shows on a fresh canvas, as loading left it: the picture in
// its frame with its marks, the weather and mood icons and the date header.
void DrawShownPage(const Page& page, PageView& view);
