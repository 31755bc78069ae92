#include "page.h"

#include <windows.h>

#include <filesystem>
#include <string>

#include "app/shell_state.h"
#include "canvas/page_icons.h"
#include "canvas/picture_file.h"
#include "canvas/stroke_geometry.h"
#include "canvas/stroke_undo.h"
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
constexpr wchar_t kWriteError[] = L"ファイル書き込みエラーが発生しました";
constexpr wchar_t kReplacedCharacters[] = L"Some characters could not be saved and were replaced by \"?\".";

// While a page is being loaded its controls change without the user.
bool g_loading = false;

int Message(SaveMode mode, const wchar_t* text, const wchar_t* caption, UINT flags) {
    // Windows is ending the session: nobody is there to answer, and the shutdown screen
    // shows why the end is blocked instead.
    if (mode == SaveMode::EndOfSession) return IDNO;
    return MessageBoxW(g_shell.mainWindow, text, caption, flags);
}

int SelectedPlace() { return static_cast<int>(SendMessageW(g_shell.placeBox, CB_GETCURSEL, 0, 0)); }

PageChanges CurrentChanges(SaveMode mode, const std::u16string& text) {
    PageChanges changes;
    changes.savePicture = g_page.savePicture;
    changes.pictureChanged = g_page.pictureChanged;
    // The capture is made only when it decides something.
    changes.pictureBlank = changes.savePicture && changes.pictureChanged ? IsPictureBlank() : true;
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

bool SaveRecord(SaveMode mode, const std::u16string& text, const std::u16string& path) {
    std::u16string_view kept = text;
    if (text.size() > kRecordTextLimit && Message(mode, kCutQuestion, L"確認", MB_YESNO | MB_ICONQUESTION) == IDYES) {
        kept = CutRecordText(text);
    }
    DayRecord record = RecordWithText(kept);
    RecordBytes bytes = SerializeRecord(record);
    if (WriteFileSafely(std::filesystem::path(path), bytes.bytes, Durability::Durable) != WriteStatus::Ok) {
        Message(mode, kWriteError, L"ERROR", MB_ICONEXCLAMATION);
        return false;
    }
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
    if (plan.picture != PictureStep::Keep) {
        // Writes the picture, or deletes the day's BMP when it is blank.
        bool pictureStored = CapturePicture(WidePointer(paths.picture)) == 1;
        if (!pictureStored) Message(mode, L"12345678901", L"Err", MB_ICONEXCLAMATION);
        if (pictureStored) g_page.pictureChanged = false;
        stored = pictureStored;
    }
    if (plan.record == RecordStep::Write) stored = SaveRecord(mode, text, paths.record) && stored;
    if (stored) RemoveRecoveryCopy();
    return stored;
}

void LoadDay() {
    g_loading = true;
    DayFilePair paths = DayFileNames(g_shell.dataFolder, g_page.currentDay);
    RecordFile file = ReadRecordFile(std::filesystem::path(paths.record));
    g_page.recordUnreadable = file.status == RecordFileStatus::Unreadable;
    if (file.status == RecordFileStatus::Damaged) MessageBoxW(g_shell.mainWindow, L"78787878787", L"Err", MB_ICONEXCLAMATION);
    if (file.status == RecordFileStatus::Unreadable) ReportUnreadableRecord(paths.record, file.readStatus);
    const DayRecord& record = file.record;

    // A record that could not be read is shown empty and cannot be typed into, so
    // nothing the user does can be mistaken for its text.
    SendMessageW(g_shell.textBox, EM_SETREADONLY, g_page.recordUnreadable ? TRUE : FALSE, 0);
    SetWindowTextW(g_shell.textBox, WidePointer(record.text));
    g_page.extraHeader = record.extraHeader;
    g_page.weatherIndex = record.weather;
    g_page.moodIndex = record.mood;
    SendMessageW(g_shell.placeBox, CB_SETCURSEL, 0, 0);

    PageRect frame = PictureFrame(g_shell.commandBarHeight);
    RECT white{frame.left, frame.top, frame.right, frame.bottom};
    FillRect(g_shell.canvasDc, &white, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    g_page.pictureUnreadable = LoadCanvasImage(WidePointer(paths.picture)) == PictureLoad::Unreadable;
    g_page.pictureChanged = false;
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
