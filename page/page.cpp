#include "page.h"

#include "diarycore/picture_bytes.h"

PageChanges Page::Changes(const ShownPage& shown, SaveMode mode) const {
    PageChanges changes;
    changes.savePicture = savePicture;
    // Drawing that ended where it began is no change; a picture that could not be captured
    // counts as changed and not blank, so the user is asked rather than losing a drawing.
    if (PictureMayHaveChanged()) {
        changes.pictureChanged = !shown.pixels || !storedPixels || *shown.pixels != *storedPixels;
        changes.pictureBlank = shown.pixels && IsBlankPicture(*shown.pixels);
    }
    changes.pictureUnreadable = files.pictureUnreadable;
    changes.recordChanged = shown.text != stored.text || weatherIndex != stored.weatherIndex ||
                            moodIndex != stored.moodIndex || shown.placeItem != stored.shownPlace;
    changes.recordUnreadable = files.recordUnreadable;
    changes.textSaveAsked = mode == SaveMode::TextCommand;
    return changes;
}

DayRecord Page::RecordToStore(std::u16string_view text, int placeItem) const {
    DayRecord record;
    record.weather = static_cast<std::uint8_t>(weatherIndex);
    record.mood = static_cast<std::uint8_t>(moodIndex);
    // An unchanged selection keeps the stored byte (a place this version does not know
    // included); no selection (-1) is stored as 255.
    record.place = placeItem == stored.shownPlace ? stored.place : static_cast<std::uint8_t>(placeItem);
    record.extraHeader = extraHeader;
    record.text = text;
    return record;
}

void Page::RecordStored(std::u16string text, const DayRecord& record, int placeItem) {
    stored.text = std::move(text);
    stored.weatherIndex = weatherIndex;
    stored.moodIndex = moodIndex;
    stored.place = record.place;
    stored.shownPlace = placeItem;
}

void Page::PictureStored(std::optional<PictureBytes> pixels) {
    pictureChanged = false;
    files.pictureForeign = false;
    storedPixels = std::move(pixels);
}

std::optional<MergedPage> Page::MergeWithDisk(const ShownPage& shown, const DayFileBytes& disk) const {
    const std::optional<DayPage> theirs = DayPageOfFiles(disk);
    if (!theirs) return std::nullopt;
    // What was loaded but is no page of ours (a damaged record, a foreign picture) was
    // never shown as it is: the merge takes it for no version at all.
    const DayPage base = DayPageOfFiles(loadedFiles).value_or(DayPage{});
    const PageChanges changes = Changes(shown, SaveMode::ChangeOfDay);
    DayPage ours = base;
    if (changes.recordChanged) ours.record = RecordToStore(shown.text, shown.placeItem);
    if (changes.pictureChanged && shown.pixels) ours.picture = *shown.pixels;
    return MergeDayPage(base, ours, *theirs);
}
