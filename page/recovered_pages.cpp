#include "recovered_pages.h"

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "diary/picture_bytes.h"
#include "diary/record.h"
#include "diary/record_file.h"
#include "diary/recovery_files.h"
#include "page/date_header.h"
#include "page/page.h"
#include "page/page_edits.h"
#include "page/page_files.h"
#include "page/page_icons.h"
#include "page/page_view.h"
#include "page/picture_surface.h"
#include "platform/file_read.h"
#include "platform/wide_text.h"

namespace fs = std::filesystem;

namespace {


struct RecoveredPage {
    DayKey day;
    std::optional<DayRecord> record;
    bool picture = false;
};

bool IsOurPictureFile(const std::vector<std::uint8_t>& bytes) {
    return bytes.size() == kPictureFileBytes && IsOwnPictureLayout(bytes);
}

// The reason a copy cannot be used, or empty when it can.
std::u16string ReadRecovered(const Page& diary, RecoveredPage& page) {
    const fs::path recordPath = RecoveryFilePath(diary.Folder(), page.day, u"dbt");
    const fs::path picturePath = RecoveryFilePath(diary.Folder(), page.day, u"bmp");
    std::error_code error;
    if (fs::exists(recordPath, error)) {
        RecordFile file = ReadRecordFile(recordPath);
        if (file.status == RecordFileStatus::Damaged) return recordPath.filename().u16string() + u": it is no diary record";
        if (file.status != RecordFileStatus::Ok)
            return recordPath.filename().u16string() + u": " + DescribeReadStatus(file.readStatus);
        page.record = file.record;
    }
    if (fs::exists(picturePath, error)) {
        std::vector<std::uint8_t> bytes;
        ReadStatus status = ReadFileBytes(picturePath, bytes);
        if (status != ReadStatus::Ok) return picturePath.filename().u16string() + u": " + DescribeReadStatus(status);
        if (!IsOurPictureFile(bytes)) return picturePath.filename().u16string() + u": it is no diary picture";
        page.picture = true;
    }
    return {};
}

// Shows the day with its copy as unsaved changes. A part of the copy whose day file cannot
// be read now is not put on the page, so no save can take it for stored: it stays in the
// folder, the user is told, and the next start asks again.
void ShowRecoveredPage(Page& page, PageView& view, const RecoveredPage& recovered) {
    page.day = recovered.day;
    LoadDay(page, view);
    const DayFilePair paths = page.Files();
    std::u16string kept;
    if (recovered.picture && !page.TakesInk()) {
        kept = fs::path(paths.picture).filename().u16string();
    } else if (recovered.picture &&
               LoadPictureFile(view, WidePointer(RecoveryFilePath(page.Folder(), recovered.day, u"bmp").u16string())) ==
                   PictureLoad::Shown) {
        NotePictureChanged(page, view);
        page.copy.picture = true;
    }
    if (recovered.record && !page.TakesClassifications()) {
        kept += (kept.empty() ? u"" : u" and ") + fs::path(paths.record).filename().u16string();
    } else if (recovered.record) {
        const DayRecord& record = *recovered.record;
        SetWindowTextW(view.textBox, WidePointer(record.text));
        page.weatherIndex = record.weather;
        page.moodIndex = record.mood;
        page.extraHeader = record.extraHeader;
        DrawWeatherIcon(view, static_cast<int>(ShownWeatherIcon(record.weather)));
        SendMessageW(view.placeBox, CB_SETCURSEL, static_cast<WPARAM>(ShownPlaceItem(record.place)), 0);
        DrawMoodIcon(view, static_cast<int>(ShownMoodIcon(record.mood)));
        page.copy.record = true;
    }
    DrawDateHeader(view, page.day);
    if (!kept.empty()) {
        std::u16string text = u"The unsaved page of " + IsoDateText(recovered.day) + u" is not restored over " + kept +
                              u", which cannot be read now.\n\nIts copy stays in the diary folder, and the next "
                              u"start offers it again.";
        MessageBoxW(view.window, WidePointer(text), L"Doodlebinder", MB_ICONEXCLAMATION);
    }
}

}  // namespace

void OfferRecoveredPages(Page& page, PageView& view) {
    for (std::int32_t number : ListRecoveredDays(fs::path(page.Folder()))) {
        RecoveredPage recovered{DayKeyOfNumber(number), std::nullopt, false};
        const std::u16string date = IsoDateText(recovered.day);
        if (std::u16string reason = ReadRecovered(page, recovered); !reason.empty()) {
            std::u16string text = u"The unsaved page of " + date + u" that Doodlebinder kept could not be read (" +
                                  reason + u").\n\nIts files are left in the diary folder.";
            MessageBoxW(view.window, WidePointer(text), L"Err", MB_ICONEXCLAMATION);
            continue;
        }
        std::u16string question = u"Doodlebinder ended without saving the page of " + date +
                                  u".\n\nRestore it? Yes shows that day with its unsaved drawing and text; "
                                  u"No deletes them.";
        if (MessageBoxW(view.window, WidePointer(question), L"Doodlebinder", MB_YESNO | MB_ICONQUESTION) == IDYES) {
            ShowRecoveredPage(page, view, recovered);
            return;
        }
        RemoveFileIfThere(RecoveryFilePath(page.Folder(), recovered.day, u"bmp"));
        RemoveFileIfThere(RecoveryFilePath(page.Folder(), recovered.day, u"dbt"));
    }
}
