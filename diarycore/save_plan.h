// What saving the page on show writes, decided from what changed since it was loaded.
// A day that was only looked at keeps its files byte for byte: a picture from a paint
// program, a damaged record, one with a longer header. The close question is asked
// exactly when the plan would write or delete something.
#pragma once

struct PageChanges {
    bool savePicture = true;         // the save-picture switch
    bool pictureChanged = false;     // drawn on since the page was loaded
    bool pictureBlank = true;        // the picture rectangle now holds only white
    bool pictureUnreadable = false;  // the day's BMP is there but could not be shown
    bool recordChanged = false;      // text, place, weather or mood differ from the loaded ones
    bool recordUnreadable = false;   // the day's record is there but could not be read
    bool textSaveAsked = false;      // Ctrl+S: the text is written whether it changed or not
};

enum class PictureStep { Keep, Write, Delete };
enum class RecordStep { Keep, Write };

struct SavePlan {
    PictureStep picture = PictureStep::Keep;
    RecordStep record = RecordStep::Keep;
    bool WritesAnything() const { return picture != PictureStep::Keep || record != RecordStep::Keep; }
};

SavePlan PlanPageSave(const PageChanges& changes);
