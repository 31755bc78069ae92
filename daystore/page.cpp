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
#include "platform/file_read.h"
#include "platform/file_write.h"
#include "platform/wide_text.h"
#include "platform/window_text.h"

PageState g_page;

namespace {

constexpr wchar_t kCutQuestion[] =
    L"10,000文字以上が保存されようとしています。\n10,000文字以下を切り捨てますか？";
constexpr wchar_t kWriteError[] = L"ファイル書き込みエラーが発生しました";
constexpr wchar_t kReplacedCharacters[] = L"Some characters could not be saved and were replaced by \"?\".";

int Message(const wchar_t* text, const wchar_t* caption, UINT flags) {
    return MessageBoxW(g_shell.mainWindow, text, caption, flags);
}

}  // namespace

bool SaveDay() {
    std::u16string text = ReadWindowText(g_shell.textBox);
    DayFilePair paths = DayFileNames(g_shell.dataFolder, g_page.currentDay);

    bool pictureStored = true;
    if (g_page.savePicture) pictureStored = SaveCanvasImage(WidePointer(paths.picture));

    RecordSave plan = PlanRecordSave(text, g_page.recordOnDisk);
    if (plan == RecordSave::Skip) return pictureStored;
    std::u16string_view stored = text;
    if (plan == RecordSave::AskToCut && Message(kCutQuestion, L"確認", MB_YESNO | MB_ICONQUESTION) == IDYES) {
        stored = CutRecordText(text);
    }

    DayRecord record;
    record.weather = static_cast<std::uint8_t>(g_page.weatherIndex);
    record.mood = static_cast<std::uint8_t>(g_page.moodIndex);
    // No selection (-1) is stored as 255.
    record.place = static_cast<std::uint8_t>(SendMessageW(g_shell.placeBox, CB_GETCURSEL, 0, 0));
    record.extraHeader = g_page.extraHeader;
    record.text = stored;
    RecordBytes bytes = SerializeRecord(record);
    if (WriteFileSafely(std::filesystem::path(paths.record), bytes.bytes, Durability::Durable) != WriteStatus::Ok) {
        Message(kWriteError, L"ERROR", MB_ICONEXCLAMATION);
        return false;
    }
    g_page.recordOnDisk = true;
    g_page.recordTextEmpty = stored.empty();
    if (bytes.replacedCharacters) Message(kReplacedCharacters, L"Save", MB_ICONEXCLAMATION);
    return pictureStored;
}

void LoadDay() {
    DayFilePair paths = DayFileNames(g_shell.dataFolder, g_page.currentDay);
    DayRecord record;
    g_page.recordOnDisk = false;
    // A record that cannot be opened is a day without one.
    if (std::vector<std::uint8_t> bytes; ReadWholeFile(std::filesystem::path(paths.record), bytes)) {
        if (ParseRecord(bytes, record) == RecordStatus::Ok) {
            g_page.recordOnDisk = true;
        } else {
            Message(L"78787878787", L"Err", MB_ICONEXCLAMATION);
            record = DayRecord{};
        }
    }
    g_page.extraHeader = record.extraHeader;
    g_page.recordTextEmpty = record.text.empty();
    SetWindowTextW(g_shell.textBox, WidePointer(record.text));
    g_page.weatherIndex = record.weather;
    g_page.moodIndex = record.mood;
    SendMessageW(g_shell.placeBox, CB_SETCURSEL, 0, 0);

    PageRect frame = PictureFrame(g_shell.commandBarHeight);
    RECT white{frame.left, frame.top, frame.right, frame.bottom};
    FillRect(g_shell.canvasDc, &white, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    LoadCanvasImage(WidePointer(paths.picture));

    DrawWeatherIcon(static_cast<int>(ShownWeatherIcon(record.weather)));
    SendMessageW(g_shell.placeBox, CB_SETCURSEL, static_cast<WPARAM>(ShownPlaceItem(record.place)), 0);
    DrawMoodIcon(static_cast<int>(ShownMoodIcon(record.mood)));
    ClearStrokeHistory();
}

void NotePictureChanged() { g_page.pictureChanged = true; }

bool IsStoredTextCleared() {
    return g_page.recordOnDisk && !g_page.recordTextEmpty && GetWindowTextLengthW(g_shell.textBox) == 0;
}
