// Saving and loading a whole day between the page and its files: a save writes only what
// changed since the page was loaded, so a day that was only looked at keeps its files,
// and their times, as they were.
#pragma once

#include <optional>

#include "diary/record.h"
#include "page/page.h"

class PageView;

// Stores what changed on the page on show. False when something could not be stored;
// outside the end of the session the user has been told why.
bool SaveDay(Page& page, PageView& view, SaveMode mode = SaveMode::ChangeOfDay);
// Shows the page of the page's day: text, place, weather, mood and picture.
void LoadDay(Page& page, PageView& view);

// What the view shows now; the picture's pixels only when a decision needs them.
ShownPage ShownNow(const Page& page, const PageView& view);
// What SaveDay would write now.
SavePlan PlanCurrentSave(const Page& page, const PageView& view, SaveMode mode = SaveMode::ChangeOfDay);
// The record the page on show would store.
DayRecord CurrentRecord(const Page& page, const PageView& view);

// The picture was drawn on since the page was loaded (a stroke ended, or one was taken
// back or brought back): the next save writes it, or deletes it when it is now blank.
void NotePictureChanged(Page& page, PageView& view);
// The text, the place, the weather or the mood was changed by the user; `typed` when it
// was the text, for Ctrl+Z.
void NotePageEdited(Page& page, PageView& view, bool typed = false);
// While the day's record cannot be read, the page takes no weather, mood or place: the
// user is told again, and false is returned.
bool PageTakesClassifications(const Page& page, const PageView& view);
// The weather or the mood chosen for the page on show.
void SetPageWeather(Page& page, PageView& view, int weatherIndex);
void SetPageMood(Page& page, PageView& view, int moodIndex);
// The "save the picture" switch.
void SetPictureSaving(Page& page, PageView& view, bool on);
