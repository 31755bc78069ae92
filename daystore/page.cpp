#include "page.h"

#include <windows.h>

#include <filesystem>
#include <string>

#include "app/shell_state.h"
#include "canvas/page_icons.h"
#include "canvas/picture_bytes.h"
#include "canvas/picture_file.h"
#include "canvas/stroke_geometry.h"
#include "canvas/stroke_undo.h"
#include "daystore/kept_originals.h"
#include "daystore/record.h"
#include "daystore/record_file.h"
#include "daystore/recovery.h"
#include "daystore/unreadable_file.h"
#include "platform/file_write.h"
#include "platform/wide_text.h"
#include "platform/window_text.h"

PageState g_page;

namespace {

constexpr wchar_t kCutQuestion[] =
    L"10,000文字以上が保存されようとしています。\n10,000文字以下を切り捨てますか？";
// The program's own texts for a picture and a record that could not be saved.
constexpr std::u16string_view kPictureError = u"12345678901";
constexpr std::u16string_view kWriteError = u"ファイル書き込みエラーが発生しました";
constexpr wchar_t kReplacedCharacters[] = L"Some characters could not be saved and were replaced by \"?\".";

// While a page is being loaded its controls change without the user.
bool g_loading = false;

int Message(SaveMode mode, const wchar_t* text, const wchar_t* caption, UINT flags) {
    // Windows is ending the session: nobody is there to answer, and the shutdown screen
    // shows why the end is blocked instead.
    if (mode == SaveMode::EndOfSession) return IDNO;
    return MessageBoxW(g_shell.mainWindow, text, caption, flags);
}

void ReportFailedSave(SaveMode mode, const std::u16string& text, const wchar_t* caption) {
    Message(mode, WidePointer(text), caption, MB_ICONEXCLAMATION);
}

int SelectedPlace() { return static_cast<int>(SendMessageW(g_shell.placeBox, CB_GETCURSEL, 0, 0)); }

PageChanges CurrentChanges(SaveMode mode, const std::u16string& text) {
    PageChanges changes;
    changes.savePicture = g_page.savePicture;
    // The capture is made only when it decides something. Drawing that ended where it
    // began (a stroke taken back) is no change; a picture that cannot be captured counts
    // as changed and not blank, so the user is asked rather than losing a drawing.
    if (changes.savePicture && g_page.pictureChanged) {
        std::optional<std::vector<std::uint8_t>> pixels = CapturePictureBytes();
        changes.pictureChanged = !pixels || !g_page.storedPixels || *pixels != *g_page.storedPixels;
        changes.pictureBlank = pixels && IsBlankPicture(*pixels);
    }
    changes.pictureUnreadable = g_page.pictureUnreadable;
    const StoredPage& stored = g_page.stored;
    changes.recordChanged = text != stored.text || g_page.weatherIndex != stored.weatherIndex ||
                            g_page.moodIndex != stored.moodIndex || SelectedPlace() != stored.shownPlace;
    changes.recordUnreadable = g_page.recordUnreadable;
    changes.textSaveAsked = mode == SaveMode::TextCommand;
    return changes;
}

DayRecord RecordWithText(std::u16string_view text) {
    DayRecord record;
    record.weather = static_cast<std::uint8_t>(g_page.weatherIndex);
    record.mood = static_cast<std::uint8_t>(g_page.moodIndex);
    // An unchanged selection keeps the stored byte (a place this version does not know
    // included); no selection (-1) is stored as 255.
    int place = SelectedPlace();
    record.place = place == g_page.stored.shownPlace ? g_page.stored.place : static_cast<std::uint8_t>(place);
    record.extraHeader = g_page.extraHeader;
    record.text = text;
    return record;
}

void RememberStoredRecord(const std::u16string& text, const DayRecord& record) {
    g_page.stored.text = text;
    g_page.stored.weatherIndex = g_page.weatherIndex;
    g_page.stored.moodIndex = g_page.moodIndex;
    g_page.stored.place = record.place;
    g_page.stored.shownPlace = SelectedPlace();
}

// "…\n\n20261201.dbt could not be saved: <why>." after the program's own text, so the user
// knows what failed and what to do.
std::u16string SaveFailureText(std::u16string_view programText, const std::filesystem::path& file, WriteFault fault) {
    return std::u16string(programText) + u"\n\n" + file.filename().u16string() + u" could not be saved: " +
           DescribeWriteFault(fault) + u".\nThe page stays on show until it can be saved.";
}

// A file the page did not write itself is kept beside it before it is replaced; when that
// cannot be done, it is not replaced at all.
bool KeepOriginal(SaveMode mode, const std::u16string& file, std::u16string_view suffix,
                  std::u16string_view programText, const wchar_t* caption) {
    const std::filesystem::path path(file);
    WriteFault fault = WriteFault::None;
    if (KeepOriginalBeside(path, suffix, &fault) == WriteStatus::Ok) return true;
    ReportFailedSave(mode, SaveFailureText(programText, KeptOriginalPath(path, suffix), fault), caption);
    return false;
}

bool SavePicture(SaveMode mode, const std::u16string& path) {
    std::optional<std::vector<std::uint8_t>> pixels = CapturePictureBytes();
    if (g_page.pictureForeign && !KeepOriginal(mode, path, kOriginalPictureSuffix, kPictureError, L"Err")) return false;
    // Writes the picture, or deletes the day's BMP when it is blank.
    const WriteFault fault = pixels ? StorePicturePixels(WidePointer(path), *pixels) : WriteFault::Other;
    if (fault != WriteFault::None) {
        ReportFailedSave(mode, SaveFailureText(kPictureError, path, fault), L"Err");
        return false;
    }
    g_page.pictureChanged = false;
    g_page.pictureForeign = false;
    g_page.storedPixels = std::move(pixels);
    return true;
}

bool SaveRecord(SaveMode mode, const std::u16string& text, const std::u16string& path) {
    std::u16string_view kept = text;
    if (text.size() > kRecordTextLimit && Message(mode, kCutQuestion, L"確認", MB_YESNO | MB_ICONQUESTION) == IDYES) {
        kept = CutRecordText(text);
    }
    if (g_page.recordDamaged && !KeepOriginal(mode, path, kDamagedRecordSuffix, kWriteError, L"ERROR")) return false;
    DayRecord record = RecordWithText(kept);
    RecordBytes bytes = SerializeRecord(record);
    WriteFault fault = WriteFault::None;
    if (WriteFileSafely(std::filesystem::path(path), bytes.bytes, Durability::Durable, &fault) != WriteStatus::Ok) {
        ReportFailedSave(mode, SaveFailureText(kWriteError, path, fault), L"ERROR");
        return false;
    }
    g_page.recordDamaged = false;
    RememberStoredRecord(text, record);
    if (bytes.replacedCharacters) Message(mode, kReplacedCharacters, L"Save", MB_ICONEXCLAMATION);
    return true;
}

}  // namespace

SavePlan PlanCurrentSave(SaveMode mode) { return PlanPageSave(CurrentChanges(mode, ReadWindowText(g_shell.textBox))); }

bool SaveDay(SaveMode mode) {
    std::u16string text = ReadWindowText(g_shell.textBox);
    SavePlan plan = PlanPageSave(CurrentChanges(mode, text));
    DayFilePair paths = DayFileNames(g_shell.dataFolder, g_page.currentDay);

    bool stored = true;
    if (plan.picture != PictureStep::Keep) stored = SavePicture(mode, paths.picture);
    if (plan.record == RecordStep::Write) stored = SaveRecord(mode, text, paths.record) && stored;
    if (stored) RemoveRecoveryCopy();
    return stored;
}

void LoadDay() {
    g_loading = true;
    DayFilePair paths = DayFileNames(g_shell.dataFolder, g_page.currentDay);
    RecordFile file = ReadRecordFile(std::filesystem::path(paths.record));
    g_page.recordUnreadable = file.status == RecordFileStatus::Unreadable;
    g_page.recordReadStatus = file.readStatus;
    g_page.recordDamaged = file.status == RecordFileStatus::Damaged;
    if (g_page.recordDamaged) ReportDamagedRecord(paths.record);
    if (g_page.recordUnreadable) ReportUnreadableRecord(paths.record, file.readStatus);
    const DayRecord& record = file.record;

    // A record that could not be read is shown empty and cannot be typed into, so
    // nothing the user does can be mistaken for its text; nor can a place be chosen.
    SendMessageW(g_shell.textBox, EM_SETREADONLY, g_page.recordUnreadable ? TRUE : FALSE, 0);
    EnableWindow(g_shell.placeBox, g_page.recordUnreadable ? FALSE : TRUE);
    SetWindowTextW(g_shell.textBox, WidePointer(record.text));
    g_page.extraHeader = record.extraHeader;
    g_page.weatherIndex = record.weather;
    g_page.moodIndex = record.mood;
    SendMessageW(g_shell.placeBox, CB_SETCURSEL, 0, 0);

    PageRect frame = PictureFrame(g_shell.commandBarHeight);
    RECT white{frame.left, frame.top, frame.right, frame.bottom};
    FillRect(g_shell.canvasDc, &white, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    LoadedPicture picture = LoadCanvasImage(WidePointer(paths.picture));
    g_page.pictureUnreadable = picture.result == PictureLoad::Unreadable;
    g_page.pictureForeign = picture.result == PictureLoad::Shown && !picture.ownLayout;
    if (g_page.pictureUnreadable) {
        // The frame would look like an empty page, and the first stroke would go over the file.
        const std::u16string name = std::filesystem::path(paths.picture).filename().u16string();
        DrawPictureNotice(name + u" cannot be shown");
        ReportUnshownPicture(paths.picture, picture.reason);
    }
    g_page.pictureChanged = false;
    g_page.storedPixels = CapturePictureBytes();
    if (!g_page.savePicture) DrawPictureSavingMark(true);

    DrawWeatherIcon(static_cast<int>(ShownWeatherIcon(record.weather)));
    SendMessageW(g_shell.placeBox, CB_SETCURSEL, static_cast<WPARAM>(ShownPlaceItem(record.place)), 0);
    DrawMoodIcon(static_cast<int>(ShownMoodIcon(record.mood)));

    // The text as the box holds it: whatever it makes of the stored line breaks is no change.
    RememberStoredRecord(ReadWindowText(g_shell.textBox), record);
    ForgetRecoveryCopy();
    ClearStrokeHistory();
    g_loading = false;
}

DayRecord CurrentRecord() { return RecordWithText(ReadWindowText(g_shell.textBox)); }

void NotePictureChanged() {
    g_page.pictureChanged = true;
    ScheduleRecoveryCopy();
}

void NotePageEdited() {
    if (!g_loading) ScheduleRecoveryCopy();
}

bool PageTakesClassifications() {
    if (!g_page.recordUnreadable) return true;
    ReportUnreadableRecord(DayFileNames(g_shell.dataFolder, g_page.currentDay).record, g_page.recordReadStatus);
    return false;
}
