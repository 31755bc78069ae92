// The user's changes to the page on show: each marks the model and has the recovery copy
// written a little later. While the day's record cannot be read, the page takes no
// weather, mood or place.
#pragma once

class Page;
class PageView;

// The picture was drawn on since the page was loaded (a stroke ended, or one was taken
// back or brought back): the next save writes it, or deletes it when it is now blank.
void NotePictureChanged(Page& page, PageView& view);
// The text, the place, the weather or the mood was changed by the user; `typed` when it
// was the text, for Ctrl+Z.
void NotePageEdited(Page& page, PageView& view, bool typed = false);
// False, after telling the user again, while the day's record cannot be read.
bool PageTakesClassifications(const Page& page, const PageView& view);
// The weather or the mood chosen for the page on show.
void SetPageWeather(Page& page, PageView& view, int weatherIndex);
void SetPageMood(Page& page, PageView& view, int moodIndex);
// The "save the picture" switch.
void SetPictureSaving(Page& page, PageView& view, bool on);
