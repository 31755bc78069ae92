#include "page.h"

#include <utility>

#include "diarycore/picture_bytes.h"

void Page::Load(LoadedDay loaded) {
    files_ = loaded.files;
    loadedFiles_ = std::move(loaded.bytes);
    const DayRecord& record = loaded.record;
    text_ = record.text;
    weather_ = record.weather;
    mood_ = record.mood;
    placeItem_ = ShownPlaceItem(record.place);
    extraHeader_ = record.extraHeader;
    stored_ = {text_, weather_, mood_, record.place, placeItem_};
    pictureChanged_ = false;
    ClearHistory(history_);
    lastChange_ = PageChange::None;
    beforeRestore_.reset();
    copy_ = {};
}

void Page::PictureLoaded(std::optional<PictureBytes> pixels, bool unreadable, bool foreign) {
    files_.pictureUnreadable = unreadable;
    files_.pictureForeign = foreign;
    pictureChanged_ = false;
    storedPixels_ = pixels;
    // A stroke still going on goes on over the new page.
    if (strokeGoing_) strokeBefore_ = pixels;
    pixels_ = std::move(pixels);
}

void Page::TextShownAs(std::u16string text) {
    stored_.text = text;
    text_ = std::move(text);
}

void Page::Type(std::u16string text) {
    // The box repeats what the page put there (loading, a merge, a restore): no typing.
    if (loading_ || text == text_) return;
    text_ = std::move(text);
    lastChange_ = PageChange::Typing;
}

bool Page::ChooseWeather(int weatherIndex) {
    if (!TakesClassifications()) return false;
    weather_ = weatherIndex;
    return true;
}

bool Page::ChooseMood(int moodIndex) {
    if (!TakesClassifications()) return false;
    mood_ = moodIndex;
    return true;
}

void Page::ChoosePlace(int placeItem) {
    if (loading_ || !TakesClassifications()) return;
    placeItem_ = placeItem;
}

void Page::BeginStroke(PagePoint at) {
    strokeGoing_ = true;
    strokeBefore_ = pixels_;
    strokePrevious_ = strokeLast_ = at;
}

void Page::StrokeTo(PagePoint to) {
    strokePrevious_ = strokeLast_;
    strokeLast_ = to;
    pictureChanged_ = true;
}

void Page::StrokeSoFar(std::optional<PictureBytes> pixels) {
    if (strokeGoing_) pixels_ = std::move(pixels);
}

void Page::EndStroke(std::optional<PictureBytes> after) {
    if (!strokeGoing_) return;
    strokeGoing_ = false;
    std::optional<PictureBytes> before = std::exchange(strokeBefore_, std::nullopt);
    pixels_ = std::move(after);
    // A tap, or ink on ink of its own colour, changed nothing: no step to take back.
    if (before && pixels_ && *before == *pixels_) return;
    // A picture that could not be captured may still have changed: it is saved all the
    // same, it just cannot be taken back.
    lastChange_ = PageChange::Stroke;
    pictureChanged_ = true;
    if (before && pixels_) PushUndoStep(history_, std::move(*before));
}

std::optional<PictureBytes> Page::TakeBackStroke() {
    // A key pressed while the button is still down waits for the stroke to end.
    if (strokeGoing_ || !pixels_) return std::nullopt;
    std::optional<PictureBytes> shown = StepBack(history_, *pixels_);
    if (shown) NotePictureChange(shown);
    return shown;
}

std::optional<PictureBytes> Page::BringBackStroke() {
    if (strokeGoing_ || !pixels_) return std::nullopt;
    std::optional<PictureBytes> shown = StepForward(history_, *pixels_);
    if (shown) NotePictureChange(shown);
    return shown;
}

void Page::NotePictureChange(std::optional<PictureBytes> pixels) {
    pixels_ = std::move(pixels);
    lastChange_ = PageChange::Stroke;
    pictureChanged_ = true;
}

void Page::PutRecord(const DayRecord& record) {
    text_ = record.text;
    weather_ = record.weather;
    mood_ = record.mood;
    placeItem_ = ShownPlaceItem(record.place);
    extraHeader_ = record.extraHeader;
}

void Page::PutPicture(std::optional<PictureBytes> pixels) {
    pixels_ = std::move(pixels);
    pictureChanged_ = true;
}

void Page::Restored(BeforeRestore before) {
    beforeRestore_ = std::move(before);
    lastChange_ = PageChange::Restore;
}

std::optional<Page::BeforeRestore> Page::TakeBackRestore() {
    if (lastChange_ != PageChange::Restore || !beforeRestore_) return std::nullopt;
    std::optional<BeforeRestore> before = std::exchange(beforeRestore_, std::nullopt);
    lastChange_ = PageChange::None;
    return before;
}

PageChanges Page::Changes(SaveMode mode) const {
    PageChanges changes;
    changes.savePicture = savePicture_;
    // Drawing that ended where it began is no change; a picture that could not be captured
    // counts as changed and not blank, so the user is asked rather than losing a drawing.
    if (PictureMayHaveChanged()) {
        changes.pictureChanged = !pixels_ || !storedPixels_ || *pixels_ != *storedPixels_;
        changes.pictureBlank = pixels_ && IsBlankPicture(*pixels_);
    }
    changes.pictureUnreadable = files_.pictureUnreadable;
    changes.recordChanged = text_ != stored_.text || weather_ != stored_.weatherIndex || mood_ != stored_.moodIndex ||
                            placeItem_ != stored_.shownPlace;
    changes.recordUnreadable = files_.recordUnreadable;
    changes.textSaveAsked = mode == SaveMode::TextCommand;
    return changes;
}

DayRecord Page::RecordToStore(std::u16string_view text) const {
    DayRecord record;
    record.weather = static_cast<std::uint8_t>(weather_);
    record.mood = static_cast<std::uint8_t>(mood_);
    // An unchanged selection keeps the stored byte (a place this version does not know
    // included); no selection (-1) is stored as 255.
    record.place = placeItem_ == stored_.shownPlace ? stored_.place : static_cast<std::uint8_t>(placeItem_);
    record.extraHeader = extraHeader_;
    record.text = text;
    return record;
}

void Page::RecordStored(const DayRecord& record, std::vector<std::uint8_t> bytes) {
    // The whole text counts as stored, even when the save had to cut it.
    stored_ = {text_, weather_, mood_, record.place, placeItem_};
    loadedFiles_.record = std::move(bytes);
    files_.recordDamaged = false;
}

void Page::PictureStored(PictureBytes pixels) {
    if (IsBlankPicture(pixels)) {
        loadedFiles_.picture.reset();
    } else {
        loadedFiles_.picture = PictureFileBytes(pixels);
    }
    pictureChanged_ = false;
    files_.pictureForeign = false;
    storedPixels_ = std::move(pixels);
}

void Page::FilesChangedElsewhere(const DayFileBytes& disk) {
    files_.recordDamaged = files_.recordDamaged || !DayPageOfFiles({disk.record, std::nullopt});
    files_.pictureForeign = files_.pictureForeign || !DayPageOfFiles({std::nullopt, disk.picture});
    loadedFiles_ = disk;
}

std::optional<MergedPage> Page::MergeWithDisk(const DayFileBytes& disk) const {
    const std::optional<DayPage> theirs = DayPageOfFiles(disk);
    if (!theirs) return std::nullopt;
    // What was loaded but is no page of ours (a damaged record, a foreign picture) was
    // never shown as it is: the merge takes it for no version at all.
    const DayPage base = DayPageOfFiles(loadedFiles_).value_or(DayPage{});
    const PageChanges changes = Changes(SaveMode::ChangeOfDay);
    DayPage ours = base;
    if (changes.recordChanged) ours.record = RecordToStore();
    if (changes.pictureChanged && pixels_) ours.picture = *pixels_;
    return MergeDayPage(base, ours, *theirs);
}
