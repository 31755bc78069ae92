#include "page_files.h"

#include <windows.h>

#include <filesystem>
#include <string>

#include "diarycore/kept_originals.h"
#include "diarycore/picture_bytes.h"
#include "diarycore/record.h"
#include "diarycore/record_file.h"
#include "page/date_header.h"
#include "page/file_messages.h"
#include "page/folder_index.h"
#include "page/page_icons.h"
#include "page/page_view.h"
#include "page/picture_surface.h"
#include "page/recovery.h"
#include "page/shown_page.h"
#include "page/stroke_undo.h"
#include "platform/file_write.h"
#include "platform/loaded_text.h"
#include "platform/wide_text.h"
#include "platform/window_text.h"
#include "resources/resource.h"

namespace {

// The program's own text for a file of the page that could not be saved, and its caption.
struct SaveFailureTexts {
    UINT text;
    UINT caption;
};
constexpr SaveFailureTexts kPictureNotSaved{IDS_PICTURE_ERROR, IDS_CAPTION_ERR};
constexpr SaveFailureTexts kRecordNotSaved{IDS_WRITE_ERROR, IDS_CAPTION_ERROR};

int Message(const PageView& view, SaveMode mode, const std::u16string& text, UINT caption, UINT flags) {
    // Windows is ending the session: nobody is there to answer, and the shutdown screen
    // shows why the end is blocked instead.
    if (mode == SaveMode::EndOfSession) return IDNO;
    return ShowMessageBox(view.window, view.instance, text, caption, flags);
}

// "…\n\n20261201.dbt could not be saved: <why>." after the program's own text, so the user
// knows what failed and what to do.
void ReportFailedSave(const PageView& view, SaveMode mode, SaveFailureTexts texts, const std::filesystem::path& file,
                      WriteFault fault) {
    const std::u16string text =
        LoadText(view.instance, IDS_SAVE_FAILED,
                 {LoadText(view.instance, texts.text), file.filename().u16string(),
                  LoadText(view.instance, ReasonTextId(fault))});
    Message(view, mode, text, texts.caption, MB_ICONEXCLAMATION);
}

// A file the page did not write itself is kept beside it before it is replaced; when that
// cannot be done, it is not replaced at all.
bool KeepOriginal(const PageView& view, SaveMode mode, const std::u16string& file, std::u16string_view suffix,
                  SaveFailureTexts texts) {
    const std::filesystem::path path(file);
    WriteFault fault = WriteFault::None;
    if (KeepOriginalBeside(path, suffix, &fault) == WriteStatus::Ok) return true;
    ReportFailedSave(view, mode, texts, KeptOriginalPath(path, suffix), fault);
    return false;
}

bool SavePicture(Page& page, const PageView& view, SaveMode mode, const std::u16string& path) {
    std::optional<PictureBytes> pixels = CapturePictureBytes(view);
    if (page.files.pictureForeign && !KeepOriginal(view, mode, path, kOriginalPictureSuffix, kPictureNotSaved)) {
        return false;
    }
    // Writes the picture, or deletes the day's BMP when it is blank.
    const WriteFault fault =
        pixels ? StorePicturePixels(WidePointer(path), *pixels, DayFileWriteOptions(page, path)) : WriteFault::Other;
    if (fault != WriteFault::None) {
        ReportFailedSave(view, mode, kPictureNotSaved, path, fault);
        return false;
    }
    if (IsBlankPicture(*pixels)) NoteDayFileRemoved(page, path);
    else NoteDayFileWritten(page, path);
    page.PictureStored(std::move(pixels));
    return true;
}

bool SaveRecord(Page& page, const PageView& view, SaveMode mode, const std::u16string& text, const std::u16string& path) {
    std::u16string_view kept = text;
    if (text.size() > kRecordTextLimit && Message(view, mode, LoadText(view.instance, IDS_CUT_QUESTION),
                                                  IDS_CAPTION_CONFIRM, MB_YESNO | MB_ICONQUESTION) == IDYES) {
        kept = CutRecordText(text);
    }
    if (page.files.recordDamaged && !KeepOriginal(view, mode, path, kDamagedRecordSuffix, kRecordNotSaved)) {
        return false;
    }
    const int placeItem = SelectedPlace(view);
    DayRecord record = page.RecordToStore(kept, placeItem);
    RecordBytes bytes = SerializeRecord(record);
    WriteFault fault = WriteFault::None;
    if (WriteFileSafely(std::filesystem::path(path), bytes.bytes, DayFileWriteOptions(page, path), &fault) !=
        WriteStatus::Ok) {
        ReportFailedSave(view, mode, kRecordNotSaved, path, fault);
        return false;
    }
    NoteDayFileWritten(page, path);
    page.RecordStored(text, record, placeItem);
    page.files.recordDamaged = false;
    if (bytes.replacedCharacters) {
        Message(view, mode, LoadText(view.instance, IDS_CHARACTERS_REPLACED), IDS_CAPTION_SAVE, MB_ICONEXCLAMATION);
    }
    return true;
}

// The frame would look like an empty page, and the first stroke would go over the file.
void DrawUnshownPictureNotice(const PageView& view, const DayFilePair& paths) {
    const std::u16string name = std::filesystem::path(paths.picture).filename().u16string();
    DrawPictureNotice(view, LoadText(view.instance, IDS_PICTURE_NOTICE, {name}));
}

void ShowClassifications(const PageView& view, const DayRecord& record) {
    DrawWeatherIcon(view, static_cast<int>(ShownWeatherIcon(record.weather)));
    SendMessageW(view.placeBox, CB_SETCURSEL, static_cast<WPARAM>(ShownPlaceItem(record.place)), 0);
    DrawMoodIcon(view, static_cast<int>(ShownMoodIcon(record.mood)));
}

}  // namespace

bool SaveDay(Page& page, PageView& view, SaveMode mode) {
    KeepIndexCurrent(page, view);
    const ShownPage shown = ShownNow(page, view);
    const SavePlan plan = page.PlanSave(shown, mode);
    const DayFilePair paths = page.Files();

    bool stored = true;
    page.saving = true;
    if (plan.picture != PictureStep::Keep) stored = SavePicture(page, view, mode, paths.picture);
    if (plan.record == RecordStep::Write) stored = SaveRecord(page, view, mode, shown.text, paths.record) && stored;
    page.saving = false;
    if (stored) RemoveRecoveryCopy(page, view);
    return stored;
}

void LoadDay(Page& page, PageView& view) {
    page.loading = true;
    KeepIndexCurrent(page, view);
    const DayFilePair paths = page.Files();
    // A day file the index knows is not there is not asked for.
    const std::optional<std::filesystem::path> recordFile = DayFileToRead(page, paths.record);
    RecordFile file = recordFile ? ReadRecordFile(*recordFile) : RecordFile{};
    page.files = {};
    page.files.recordUnreadable = file.status == RecordFileStatus::Unreadable;
    page.files.recordReadStatus = file.readStatus;
    page.files.recordDamaged = file.status == RecordFileStatus::Damaged;
    if (page.files.recordDamaged) ReportDamagedRecord(view, paths.record);
    if (page.files.recordUnreadable) ReportUnreadableRecord(view, paths.record, file.readStatus);
    const DayRecord& record = file.record;

    // A record that could not be read is shown empty and cannot be typed into, so
    // nothing the user does can be mistaken for its text; nor can a place be chosen.
    SendMessageW(view.textBox, EM_SETREADONLY, page.files.recordUnreadable ? TRUE : FALSE, 0);
    EnableWindow(view.placeBox, page.files.recordUnreadable ? FALSE : TRUE);
    SetWindowTextW(view.textBox, WidePointer(record.text));
    page.extraHeader = record.extraHeader;
    page.weatherIndex = record.weather;
    page.moodIndex = record.mood;
    SendMessageW(view.placeBox, CB_SETCURSEL, 0, 0);

    WhitenPicture(view);
    const std::optional<std::filesystem::path> pictureFile = DayFileToRead(page, paths.picture);
    LoadedPicture picture = pictureFile ? LoadPictureFile(view, pictureFile->c_str()) : LoadedPicture{};
    page.files.pictureUnreadable = picture.result == PictureLoad::Unreadable;
    page.files.pictureForeign = picture.result == PictureLoad::Shown && !picture.ownLayout;
    if (page.files.pictureUnreadable) {
        DrawUnshownPictureNotice(view, paths);
        ReportUnshownPicture(view, paths.picture, picture.reason);
    }
    page.pictureChanged = false;
    page.storedPixels = CapturePictureBytes(view);
    if (!page.savePicture) DrawPictureSavingMark(view, true);
    ShowClassifications(view, record);

    // The text as the box holds it: whatever it makes of the stored line breaks is no change.
    page.RecordStored(ReadWindowText(view.textBox), record, SelectedPlace(view));
    ForgetRecoveryCopy(page, view);
    ClearStrokeHistory(page, view);
    page.loading = false;
}

void PutRecordOnPage(Page& page, PageView& view, const DayRecord& record) {
    SetWindowTextW(view.textBox, WidePointer(record.text));
    page.weatherIndex = record.weather;
    page.moodIndex = record.mood;
    page.extraHeader = record.extraHeader;
    ShowClassifications(view, record);
}

void DrawShownPage(const Page& page, PageView& view) {
    ShowPictureInFrame(view);
    if (page.files.pictureUnreadable) DrawUnshownPictureNotice(view, page.Files());
    if (!page.savePicture) DrawPictureSavingMark(view, true);
    DrawWeatherIcon(view, page.weatherIndex);
    DrawMoodIcon(view, page.moodIndex);
    DrawDateHeader(view, page.day);
}
