// The user's changes to the page on show, handed to the model and shown: each has the
// recovery copy written a little later. While the day's record cannot be read, the page
// takes no weather, mood or place.
#pragma once

#include "page/picture_history.h"

class Page;
class PageView;

// The page changed (a stroke, a version put on it): the recovery copy follows.
void NotePageEdited(Page& page, PageView& view);
// The text box's text changed; the place box's selection changed.
void TakeTypedText(Page& page, PageView& view);
void TakeChosenPlace(Page& page, PageView& view);
// False, after telling the user again, while the day's record cannot be read.
bool PageTakesClassifications(const Page& page, const PageView& view);
// The weather or the mood chosen for the page on show.
void SetPageWeather(Page& page, PageView& view, int weatherIndex);
void SetPageMood(Page& page, PageView& view, int moodIndex);
// The "save the picture" switch.
void SetPictureSaving(Page& page, PageView& view, bool on);
// A whole picture put on the page as an unsaved change (a merge, a version restored).
void ShowPictureOnPage(Page& page, PageView& view, const PictureBytes& pixels);
