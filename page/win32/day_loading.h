// Showing a day's files on the page: the whole page as loading shows it, a record put on
// it, and the page drawn again on a fresh canvas.
#pragma once

#include "diarycore/record.h"
#include "page/page.h"

class PageView;

// Shows the page of the page's day: text, place, weather, mood and picture, and keeps
// the files' bytes as what was loaded.
void LoadDay(Page& page, PageView& view);
// Puts a record of the day on show on the page as loading would show it (text, place,
// weather, mood), for a recovered copy, an earlier version or a merge; the caller notes
// the change.
void PutRecordOnPage(Page& page, PageView& view, const DayRecord& record);
// Draws what the page on show shows on a fresh canvas, as loading left it: the picture in
// its frame with its marks, the weather and mood icons and the date header.
void DrawShownPage(const Page& page, PageView& view);
