// The page on show: its day, its classifications, and the saving and loading of a
// whole day (picture and record) between the window and the data folder.
#pragma once

#include <cstdint>
#include <vector>

#include "daystore/calendar.h"

struct PageState {
    DayKey currentDay;
    int weatherIndex = 0;        // 0 none, 1..5
    int moodIndex = 0;           // 0..5
    std::vector<std::uint8_t> extraHeader;   // header bytes after the place, kept as read
    bool recordOnDisk = false;   // the day has a proper record, loaded or written this visit
    bool recordTextEmpty = true; // ... and its text is empty
    bool savePicture = true;     // the "save the picture" switch
    bool pictureChanged = false; // drawn on (or a stroke taken back) since the page was loaded
};

extern PageState g_page;

// Stores the page on show: its picture (when picture saving is on) and its record.
// False when something could not be stored; the user has been told why.
bool SaveDay();
// Shows the page of the current day: text, place, weather, mood and picture.
void LoadDay();
// The picture was drawn on since the page was loaded (a stroke ended, or one was taken
// back or brought back): the next save writes it, or deletes it when it is now blank.
void NotePictureChanged();
// True when the text box was emptied over a stored text: saving would clear it on disk.
bool IsStoredTextCleared();
