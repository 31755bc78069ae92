// The page on show, as a model: its day, what it shows and what was loaded from the day's
// files, the history of its picture for undo, the stroke going on and the recovery copy
// kept of it. No window system here. The view (page_view.h) holds the controls and the
// surfaces; it tells the model what they show when a decision needs it, so every
// decision about the page is made here, and every piece of the page's state has its one
// place here.
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

// What the view shows now.
struct ShownPage {
    std::u16string text;                 // as the text box holds it
    int placeItem = 0;                   // the place box's selection; -1 none
    std::optional<PictureBytes> pixels;  // the picture, when it was asked for and could be captured
};

// The page's last change, for Ctrl+Z: the text box's own undo, a stroke taken back, or an
// earlier version restored over the page.
enum class PageChange { None, Typing, Stroke, Restore };

class Page {
public:
    explicit Page(std::u16string folder) : folder_(std::move(folder)) {}

    // The diary folder the page's day files are in.
    const std::u16string& Folder() const { return folder_; }
    // The names of the day on show's files.
    DayFilePair Files() const { return DayFileNames(folder_, day); }
    // The diary folder's day files, as far as they are known (folder_index.h).
    DayFileIndex index;

    DayKey day;
    int weatherIndex = 0;                   // 0 none, 1..5
    int moodIndex = 0;                      // 0..5
    std::vector<std::uint8_t> extraHeader;  // header bytes after the place, kept as read
    bool savePicture = true;                // the "save the picture" switch, for every day
    bool pictureChanged = false;            // drawn on (or a stroke taken back) since the page was loaded
    DayFileState files;
    StoredPage stored;
    // The picture's pixels as loaded or last stored: drawing that ends where it began (a
    // stroke taken back) is no change. Nothing when they could not be captured.
    std::optional<PictureBytes> storedPixels;
    // The day's files as this page last read or wrote them: the version both sides had
    // when the files change elsewhere (a sync tool, another program) while the page is on
    // show. Empty when they could not be read whole: a change then merges without a base.
    DayFileBytes loadedFiles;
    bool loading = false;  // the controls change without the user while a day loads
    bool saving = false;   // a save is writing the day's files (its message boxes still run timers)

    // True when Changes needs the picture's pixels in what is shown.
    bool PictureMayHaveChanged() const { return savePicture && pictureChanged; }
    // What a save would write now, against what was loaded.
    PageChanges Changes(const ShownPage& shown, SaveMode mode) const;
    SavePlan PlanSave(const ShownPage& shown, SaveMode mode) const { return PlanPageSave(Changes(shown, mode)); }
    // The page with its files changed elsewhere to `disk`: what this page would store now
    // merged with them against what was loaded. Nothing when they are no record or no
    // picture of the page's own layout, which are kept whole, never merged.
    std::optional<MergedPage> MergeWithDisk(const ShownPage& shown, const DayFileBytes& disk) const;
    // The record the page would store with this text and place selection: weather, mood,
    // the stored place byte while the selection did not change, the header kept as read.
    DayRecord RecordToStore(std::u16string_view text, int placeItem) const;
    // The page shows `text` and `placeItem` with the record as it is on disk now.
    void RecordStored(std::u16string text, const DayRecord& record, int placeItem);
    // The picture is on disk now with these pixels.
    void PictureStored(std::optional<PictureBytes> pixels);
    // While the day's record cannot be read the page takes no weather, mood or place.
    bool TakesClassifications() const { return !files.recordUnreadable; }
    // A picture that could not be shown is not the user's to draw over.
    bool TakesInk() const { return !files.pictureUnreadable; }

    // Undo and redo of strokes.
    PictureHistory history;
    PageChange lastChange = PageChange::None;
    // The page as it was when an earlier version was restored over it, for Ctrl+Z right after.
    struct BeforeRestore {
        DayRecord record;
        std::optional<PictureBytes> pixels;
    };
    std::optional<BeforeRestore> beforeRestore;
    // The stroke going on: its last two points, in page units.
    struct Stroke {
        bool penDown = false;
        bool going = false;                  // a step for undo is open
        std::optional<PictureBytes> before;  // the picture at its first point, when it could be captured
        PagePoint last{}, previous{};
    } stroke;
    // The recovery copies this program wrote (or restored from) for the page on show;
    // only these are ever removed, so a copy from an earlier run waits for its question.
    struct RecoveryCopy {
        bool picture = false;
        bool record = false;
    } copy;
    // The sync tools' conflict copies (conflict_intake.h): the index's version when they
    // were last looked for, and the days (YYYYMMDD) of those that could not be taken in.
    static constexpr std::uint64_t kNeverLooked = ~std::uint64_t{0};
    std::uint64_t conflictCopiesSeen = kNeverLooked;
    std::set<std::int32_t> daysWithCopiesLeft;
    // Choices the diary's settings file could not take this run (it could not be read,
    // so it is not written over): they hold over what the file says until the close.
    Settings heldSettings;
    bool heldSettingsTold = false;  // the user heard why, once a run

private:
    std::u16string folder_;
};
