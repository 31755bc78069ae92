#include "page/day_loading.h"

#include <windows.h>

#include <filesystem>
#include <string>

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
#include "platform/loaded_text.h"
#include "platform/wide_text.h"
#include "platform/window_text.h"
#include "resources/resource.h"
#include "sync/day_files.h"

namespace {

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

void LoadDay(Page& page, PageView& view) {
    page.loading = true;
    KeepIndexCurrent(page, view);
    const DayFilePair paths = page.Files();
    // A day file the index knows is not there is not asked for.
    const std::optional<std::filesystem::path> recordFile = DayFileToRead(page, paths.record);
    std::vector<std::uint8_t> recordBytes;
    const ReadStatus recordRead = recordFile ? ReadFileBytes(*recordFile, recordBytes) : ReadStatus::Missing;
    RecordFile file = RecordFileOf(recordRead, recordBytes);
    page.files = {};
    page.files.recordUnreadable = file.status == RecordFileStatus::Unreadable;
    page.files.recordReadStatus = file.readStatus;
    page.files.recordDamaged = file.status == RecordFileStatus::Damaged;
    if (page.files.recordDamaged) ReportDamagedRecord(view, paths.record);
    if (page.files.recordUnreadable) ReportUnreadableRecord(view, paths.record, file.readStatus);
    const DayRecord& record = file.record;
    // What a change made elsewhere is merged against: the record as shown, the picture
    // read apart from its drawing (one that changes between the two is merged again at
    // the next look). Nothing, when either could not be read.
    const std::optional<std::filesystem::path> pictureFile = DayFileToRead(page, paths.picture);
    page.loadedFiles = {};
    DayFileBytes pictureBytes;
    if ((recordRead == ReadStatus::Ok || recordRead == ReadStatus::Missing) &&
        ReadDayFileBytes(std::nullopt, pictureFile, pictureBytes) == ReadStatus::Ok) {
        if (recordRead == ReadStatus::Ok) page.loadedFiles.record = std::move(recordBytes);
        page.loadedFiles.picture = std::move(pictureBytes.picture);
    }
    view.headerNotice.clear();

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
