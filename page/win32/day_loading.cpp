#include "page/win32/day_loading.h"

#include <windows.h>

#include <filesystem>
#include <string>

#include "diarycore/day_file_store.h"
#include "diarycore/record_file.h"
#include "page/win32/date_header.h"
#include "page/win32/file_messages.h"
#include "page/win32/folder_index.h"
#include "page/win32/page_icons.h"
#include "page/win32/page_view.h"
#include "page/win32/picture_surface.h"
#include "page/win32/recovery.h"
#include "page/win32/current_page.h"
#include "platform/win32/loaded_text.h"
#include "platform/wide_text.h"
#include "platform/win32/window_text.h"
#include "resources/resource.h"

namespace {

// The frame would look like an empty page, and the first stroke would go over the file.
void DrawUnshownPictureNotice(const PageView& view, const DayFilePair& paths) {
    const std::u16string name = std::filesystem::path(paths.picture).filename().u16string();
    DrawPictureNotice(view, LoadText(view.instance, IDS_PICTURE_NOTICE, {name}));
}

void ShowClassifications(const Page& page, const PageView& view) {
    DrawWeatherIcon(view, static_cast<int>(ShownWeatherIcon(static_cast<std::uint8_t>(page.Weather()))));
    SendMessageW(view.placeBox, CB_SETCURSEL, static_cast<WPARAM>(page.PlaceItem()), 0);
    DrawMoodIcon(view, static_cast<int>(ShownMoodIcon(static_cast<std::uint8_t>(page.Mood()))));
}

}  // namespace

void LoadDay(Page& page, PageView& view) {
    page.BeginLoading();
    KeepIndexCurrent(page, view);
    const DayFilePair paths = page.Files();
    // A day file the index knows is not there is not asked for.
    const std::optional<std::filesystem::path> recordFile = DayFileToRead(page, paths.record);
    std::vector<std::uint8_t> recordBytes;
    const ReadStatus recordRead = recordFile ? ReadDayFile(*recordFile, recordBytes) : ReadStatus::Missing;
    RecordFile file = RecordFileOf(recordRead, recordBytes);
    LoadedDay loaded;
    loaded.files.recordUnreadable = file.status == RecordFileStatus::Unreadable;
    loaded.files.recordReadStatus = file.readStatus;
    loaded.files.recordDamaged = file.status == RecordFileStatus::Damaged;
    if (loaded.files.recordDamaged) ReportDamagedRecord(view, paths.record);
    if (loaded.files.recordUnreadable) ReportUnreadableRecord(view, paths.record, file.readStatus);
    // What a change made elsewhere is merged against: the record and the picture as
    // shown, from the same read. Nothing, when either could not be read.
    const std::optional<std::filesystem::path> pictureFile = DayFileToRead(page, paths.picture);
    std::vector<std::uint8_t> pictureBytes;
    const ReadStatus pictureRead = pictureFile ? ReadDayFile(*pictureFile, pictureBytes) : ReadStatus::Missing;
    const auto readOrMissing = [](ReadStatus status) {
        return status == ReadStatus::Ok || status == ReadStatus::Missing;
    };
    if (readOrMissing(recordRead) && readOrMissing(pictureRead)) {
        if (recordRead == ReadStatus::Ok) loaded.bytes.record = std::move(recordBytes);
        if (pictureRead == ReadStatus::Ok) loaded.bytes.picture = pictureBytes;
    }
    loaded.record = std::move(file.record);
    page.Load(std::move(loaded));
    ForgetRecoveryCopy(page, view);
    view.headerNotice.clear();

    // A record that could not be read is shown empty and cannot be typed into, so
    // nothing the user does can be mistaken for its text; nor can a place be chosen.
    SendMessageW(view.textBox, EM_SETREADONLY, page.TakesClassifications() ? FALSE : TRUE, 0);
    EnableWindow(view.placeBox, page.TakesClassifications() ? TRUE : FALSE);
    SetWindowTextW(view.textBox, WidePointer(page.Text()));

    WhitenPicture(view);
    LoadedPicture picture = pictureFile ? PutPictureFile(view, pictureRead, pictureBytes) : LoadedPicture{};
    const bool unreadable = picture.result == PictureLoad::Unreadable;
    if (unreadable) {
        DrawUnshownPictureNotice(view, paths);
        ReportUnshownPicture(view, paths.picture, picture.reason);
    }
    page.PictureLoaded(CapturePictureBytes(view), unreadable,
                       picture.result == PictureLoad::Shown && !picture.ownLayout);
    if (!page.SavesPicture()) DrawPictureSavingMark(view, true);
    ShowClassifications(page, view);

    // The text as the box holds it: whatever it makes of the stored line breaks is no change.
    page.TextShownAs(ReadWindowText(view.textBox));
    page.EndLoading();
}

void PutRecordOnPage(Page& page, PageView& view, const DayRecord& record) {
    page.PutRecord(record);
    SetWindowTextW(view.textBox, WidePointer(page.Text()));
    page.TextBoxHolds(ReadWindowText(view.textBox));
    ShowClassifications(page, view);
}

void DrawShownPage(const Page& page, PageView& view) {
    ShowPictureInFrame(view);
    if (!page.TakesInk()) DrawUnshownPictureNotice(view, page.Files());
    if (!page.SavesPicture()) DrawPictureSavingMark(view, true);
    DrawWeatherIcon(view, page.Weather());
    DrawMoodIcon(view, page.Mood());
    DrawDateHeader(view, page.Day());
}
