// The page on show, as a model that owns its document: its day, its text, weather, mood,
// place and picture, what was loaded from the day's files, the history of its picture for
// undo, the stroke going on and the recovery copy kept of it. No window system here. The
// view (win32/page_view.h) shows it and tells it what the user does; every decision
// about the page is made here, and every piece of the page's state has its one place here.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "diarycore/calendar.h"
#include "diarycore/pages_in_folder.h"
#include "diarycore/record.h"
#include "diarycore/save_plan.h"
#include "diarycore/settings.h"
#include "page/page_geometry.h"
#include "page/picture_history.h"
#include "platform/file_read.h"
#include "sync/day_files.h"
#include "sync/page_merge.h"

enum class SaveMode {
    ChangeOfDay,   // a move to another day, the close question's Yes, the HTML export
    TextCommand,   // Ctrl+S: the text is written even when it did not change
    EndOfSession,  // Windows is ending the session: no questions, no message boxes
};

// What the page showed when it was loaded or last stored.
struct StoredPage {
    std::u16string text;  // as the text box holds it
    int weatherIndex = 0;
    int moodIndex = 0;
    std::uint8_t place = 0;  // the record's own byte, in range or not
    int shownPlace = 0;      // the place box's item it showed; -1 none
};

// The day's files as loading found them.
struct DayFileState {
    bool pictureUnreadable = false;                // the BMP is there but could not be shown: it takes no ink
    bool pictureForeign = false;                   // the BMP is in another layout: kept before it is replaced
    bool recordUnreadable = false;                 // the record is there but could not be read
    ReadStatus recordReadStatus = ReadStatus::Ok;  // why, when it could not be
    bool recordDamaged = false;                    // the record failed its checks: kept before it is replaced
};

// The page's last change, for Ctrl+Z: the text box's own undo, a stroke taken back, or an
// earlier version restored over the page.
enum class PageChange { None, Typing, Stroke, Restore };

// What the day's files held when the page was loaded.
struct LoadedDay {
    DayFileState files;
    DayRecord record;    // empty when it could not be read
    DayFileBytes bytes;  // the files' bytes, for merging later; empty when not read whole
};

// The diary folder the page is in, as the page's neighbours keep it: what is known of its
// day files, the sync tools' copies waiting in it, and the settings it could not take.
// None of it is the page's document.
struct DiaryFolder {
    std::u16string path;
    // The diary folder's day files, as far as they are known (folder_index.h).
    DayFileIndex index;
    // The sync tools' conflict copies (conflict_intake.h): the index's version when they
    // were last looked for, and the days (YYYYMMDD) of those that could not be taken in.
    static constexpr std::uint64_t kNeverLooked = ~std::uint64_t{0};
    std::uint64_t conflictCopiesSeen = kNeverLooked;
    std::set<std::int32_t> daysWithCopiesLeft;
    // Choices the diary's settings file could not take this run (it could not be read,
    // so it is not written over): they hold over what the file says until the close.
    Settings heldSettings;
    bool heldSettingsTold = false;  // the user heard why, once a run
};

// The page's document: what it holds now and what it was loaded from. The view shows it
// and tells it what the user does; nothing else changes it. The picture's pixels are the
// ones of the last finished stroke (the view hands over a stroke still going on before a
// decision, StrokeSoFar); nothing when they could not be captured, which counts as a
// change, so a drawing is never taken for stored.
class Page {
public:
    explicit Page(std::u16string folder) { diary.path = std::move(folder); }

    DiaryFolder diary;
    // The diary folder the page's day files are in.
    const std::u16string& Folder() const { return diary.path; }
    // The names of the day on show's files.
    DayFilePair Files() const { return DayFileNames(diary.path, day_); }

    // What the page holds.
    const DayKey& Day() const { return day_; }
    const std::u16string& Text() const { return text_; }
    int Weather() const { return weather_; }      // 0 none, 1..5
    int Mood() const { return mood_; }            // 0..5
    int PlaceItem() const { return placeItem_; }  // the place box's item; -1 none
    const std::optional<PictureBytes>& Pixels() const { return pixels_; }
    bool SavesPicture() const { return savePicture_; }
    const DayFileState& FileState() const { return files_; }
    const DayFileBytes& LoadedFiles() const { return loadedFiles_; }
    bool Loading() const { return loading_; }
    bool Saving() const { return saving_; }

    // Turning to another day; its files are loaded next.
    void TurnTo(const DayKey& day) { day_ = day; }
    // Loading the day: the record's part, then the picture as it could be shown, then the
    // text as the text box holds it (whatever the box makes of stored line breaks is no
    // change). Undo history and the recovery copy are the old day's and go.
    void BeginLoading() { loading_ = true; }
    void Load(LoadedDay loaded);
    void PictureLoaded(std::optional<PictureBytes> pixels, bool unreadable, bool foreign);
    void TextShownAs(std::u16string text);
    void EndLoading() { loading_ = false; }

    // What the user does.
    void Type(std::u16string text);  // the text box's text, after each change
    // The text box's own form of a text the page put there (a merge, a restore): no typing.
    void TextBoxHolds(std::u16string text) { text_ = std::move(text); }
    // False, changing nothing, while the day's record cannot be read.
    bool ChooseWeather(int weatherIndex);
    bool ChooseMood(int moodIndex);
    void ChoosePlace(int placeItem);
    void SwitchPictureSaving(bool on) { savePicture_ = on; }
    // A stroke: its first point, each next point, the picture so far while it goes on,
    // and its end with the picture it left (nothing when it could not be captured).
    void BeginStroke(PagePoint at);
    void StrokeTo(PagePoint to);
    void StrokeSoFar(std::optional<PictureBytes> pixels);
    void EndStroke(std::optional<PictureBytes> after);
    void LiftPen() { penDown_ = false; }
    void PutPenDown() { penDown_ = true; }
    bool PenDown() const { return penDown_; }
    bool StrokeGoing() const { return strokeGoing_; }
    PagePoint StrokeLast() const { return strokeLast_; }
    PagePoint StrokePrevious() const { return strokePrevious_; }
    // Ctrl+Z and Ctrl+Y on the picture: the picture to show now, or nothing when there is
    // no step (or a stroke still goes on).
    std::optional<PictureBytes> TakeBackStroke();
    std::optional<PictureBytes> BringBackStroke();
    bool CanTakeBack() const { return !history_.back.empty(); }
    bool CanBringBack() const { return !history_.forward.empty(); }
    const PictureHistory& History() const { return history_; }
    PageChange LastChange() const { return lastChange_; }
    // Ctrl+Z in the text box takes the typing back rather than a stroke.
    bool UndoesTyping() const { return lastChange_ == PageChange::Typing || history_.back.empty(); }

    // Another version put on the page as unsaved changes: a recovered copy, a merge with
    // the files changed elsewhere, a version restored. A part left out stays as it is.
    void PutRecord(const DayRecord& record);
    void PutPicture(std::optional<PictureBytes> pixels);
    // The page as it was when an earlier version was restored over it, for Ctrl+Z right after.
    struct BeforeRestore {
        DayRecord record;
        std::optional<PictureBytes> pixels;
    };
    void Restored(BeforeRestore before);
    // The page before the restore, once, while the restore was the last change.
    std::optional<BeforeRestore> TakeBackRestore();

    // True when a save may have to write the picture.
    bool PictureMayHaveChanged() const { return savePicture_ && pictureChanged_; }
    // What a save would write now, against what was loaded.
    PageChanges Changes(SaveMode mode) const;
    SavePlan PlanSave(SaveMode mode) const { return PlanPageSave(Changes(mode)); }
    // The page with its files changed elsewhere to `disk`: what this page would store now
    // merged with them against what was loaded. Nothing when they are no record or no
    // picture of the page's own layout, which are kept whole, never merged.
    std::optional<MergedPage> MergeWithDisk(const DayFileBytes& disk) const;
    // The record the page would store, with its text cut to `text` when a save cuts it:
    // weather, mood, the stored place byte while the selection did not change, the header
    // kept as read.
    DayRecord RecordToStore() const { return RecordToStore(text_); }
    DayRecord RecordToStore(std::u16string_view text) const;
    // A save wrote the record's bytes.
    void RecordStored(const DayRecord& record, std::vector<std::uint8_t> bytes);
    // A save wrote the picture, or removed the day's BMP when the pixels are blank.
    void PictureStored(PictureBytes pixels);
    // The day's files changed elsewhere into something that is no page of ours, or the
    // other side's picture could not be set aside: the save keeps them beside the day
    // before it replaces them.
    void FilesChangedElsewhere(const DayFileBytes& disk);
    void KeepPictureBeforeReplacing() { files_.pictureForeign = true; }
    // The files the page's merged state now stands on.
    void MergedWith(DayFileBytes disk) { loadedFiles_ = std::move(disk); }
    // While the day's record cannot be read the page takes no weather, mood or place.
    bool TakesClassifications() const { return !files_.recordUnreadable; }
    // A picture that could not be shown is not the user's to draw over.
    bool TakesInk() const { return !files_.pictureUnreadable; }

    // A save writing the day's files (its message boxes still run timers).
    void BeginSaving() { saving_ = true; }
    void EndSaving() { saving_ = false; }

    // The recovery copies this program wrote (or restored from) for the page on show;
    // only these are ever removed, so a copy from an earlier run waits for its question.
    struct RecoveryCopy {
        bool picture = false;
        bool record = false;
    };
    const RecoveryCopy& Copy() const { return copy_; }
    void CopyKept(RecoveryCopy copy) { copy_ = copy; }

private:
    void NotePictureChange(std::optional<PictureBytes> pixels);

    DayKey day_;
    // The document.
    std::u16string text_;  // as the text box holds it
    int weather_ = 0;
    int mood_ = 0;
    int placeItem_ = 0;
    std::vector<std::uint8_t> extraHeader_;  // header bytes after the place, kept as read
    std::optional<PictureBytes> pixels_;
    bool savePicture_ = true;      // the "save the picture" switch, for every day
    bool pictureChanged_ = false;  // drawn on (or a stroke taken back) since the page was loaded
    // What it was loaded from.
    DayFileState files_;
    StoredPage stored_;
    // The picture's pixels as loaded or last stored: drawing that ends where it began (a
    // stroke taken back) is no change. Nothing when they could not be captured.
    std::optional<PictureBytes> storedPixels_;
    // The day's files as this page last read or wrote them: the version both sides had
    // when the files change elsewhere (a sync tool, another program) while the page is on
    // show. Empty when they could not be read whole: a change then merges without a base.
    DayFileBytes loadedFiles_;
    bool loading_ = false;  // the controls change without the user while a day loads
    bool saving_ = false;
    // Undo.
    PictureHistory history_;
    PageChange lastChange_ = PageChange::None;
    std::optional<BeforeRestore> beforeRestore_;
    // The stroke going on: the picture at its first point and its last two points.
    bool penDown_ = false;
    bool strokeGoing_ = false;  // a step for undo is open
    std::optional<PictureBytes> strokeBefore_;
    PagePoint strokeLast_{}, strokePrevious_{};
    RecoveryCopy copy_;
};
