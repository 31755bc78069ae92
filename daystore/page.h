// The page on show: its day, its classifications, and the saving and loading of a
// whole day (picture and record) between the window and the data folder. A save writes
// only what changed since the page was loaded, so a day that was only looked at keeps
// its files, and their times, as they were.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "daystore/calendar.h"
#include "daystore/save_plan.h"
#include "platform/file_read.h"

// What the page showed when it was loaded or last stored.
struct StoredPage {
    std::u16string text;     // as the text box holds it
    int weatherIndex = 0;
    int moodIndex = 0;
    std::uint8_t place = 0;  // the record's own byte, in range or not
    int shownPlace = 0;      // the combo box item it showed; -1 none
};

struct PageState {
    DayKey currentDay;
    int weatherIndex = 0;        // 0 none, 1..5
    int moodIndex = 0;           // 0..5
    std::vector<std::uint8_t> extraHeader;   // header bytes after the place, kept as read
    bool savePicture = true;     // the "save the picture" switch
    bool pictureChanged = false; // drawn on (or a stroke taken back) since the page was loaded
    bool pictureUnreadable = false;  // the day's BMP is there but could not be shown
    bool pictureForeign = false;     // the day's BMP is in another layout: kept before it is replaced
    bool recordUnreadable = false;   // the day's record is there but could not be read
    ReadStatus recordReadStatus = ReadStatus::Ok;   // why, when it could not be
    bool recordDamaged = false;      // the day's record failed its checks: kept before it is replaced
    // The picture's pixels as loaded or last stored: drawing that ends where it began
    // (a stroke taken back) is no change. Nothing when they could not be captured.
    std::optional<std::vector<std::uint8_t>> storedPixels;
    StoredPage stored;
};

extern PageState g_page;

enum class SaveMode {
    ChangeOfDay,    // a move to another day, the close question's Yes, the HTML export
    TextCommand,    // Ctrl+S: the text is written even when it did not change
    EndOfSession,   // Windows is ending the session: no questions, no message boxes
};

// Stores what changed on the page on show. False when something could not be stored;
// outside the end of the session the user has been told why.
bool SaveDay(SaveMode mode = SaveMode::ChangeOfDay);
// Shows the page of the current day: text, place, weather, mood and picture.
void LoadDay();
// What SaveDay would write now.
SavePlan PlanCurrentSave(SaveMode mode = SaveMode::ChangeOfDay);
// The record the page on show would store: its text, weather, mood, place and header.
struct DayRecord;
DayRecord CurrentRecord();

// The picture was drawn on since the page was loaded (a stroke ended, or one was taken
// back or brought back): the next save writes it, or deletes it when it is now blank.
void NotePictureChanged();
// The text, the place, the weather or the mood was changed by the user.
void NotePageEdited();
// While the day's record cannot be read, the page takes no weather, mood or place: the
// user is told again, and false is returned.
bool PageTakesClassifications();
