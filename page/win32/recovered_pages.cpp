#include "recovered_pages.h"

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "diarycore/day_file_store.h"
#include "diarycore/picture_bytes.h"
#include "diarycore/record.h"
#include "diarycore/record_file.h"
#include "diarycore/recovery_files.h"
#include "page/win32/date_header.h"
#include "page/win32/folder_index.h"
#include "page/page.h"
#include "page/win32/page_edits.h"
#include "page/win32/page_files.h"
#include "page/win32/page_icons.h"
#include "page/win32/page_view.h"
#include "page/win32/picture_surface.h"
#include "platform/win32/loaded_text.h"
#include "platform/wide_text.h"
#include "resources/resource.h"

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
std::u16string ReadRecovered(const Page& diary, const PageView& view, RecoveredPage& page) {
    const fs::path recordPath = RecoveryFilePath(diary.Folder(), page.day, u"dbt");
    const fs::path picturePath = RecoveryFilePath(diary.Folder(), page.day, u"bmp");
    auto unreadable = [&view](const fs::path& path, ReadStatus status) {
        return LoadText(view.instance, IDS_COPY_UNREADABLE,
                        {path.filename().u16string(), LoadText(view.instance, ReasonTextId(status))});
    };
    std::error_code error;
    if (fs::exists(recordPath, error)) {
        RecordFile file = ReadRecordFile(recordPath);
        if (file.status == RecordFileStatus::Damaged) {
            return LoadText(view.instance, IDS_COPY_NO_RECORD, {recordPath.filename().u16string()});
        }
        if (file.status != RecordFileStatus::Ok) return unreadable(recordPath, file.readStatus);
        page.record = file.record;
    }
    if (fs::exists(picturePath, error)) {
        std::vector<std::uint8_t> bytes;
        ReadStatus status = ReadDayFile(picturePath, bytes);
        if (status != ReadStatus::Ok) return unreadable(picturePath, status);
        if (!IsOurPictureFile(bytes)) {
            return LoadText(view.instance, IDS_COPY_NO_PICTURE, {picturePath.filename().u16string()});
        }
        page.picture = true;
    }
    return {};
}

// Shows the day with its copy as unsaved changes. A part of the copy whose day file cannot
// be read now is not put on the page, so no save can take it for stored: it stays in the
// folder, the user is told, and the next start asks again.
void ShowRecoveredPage(Page& page, PageView& view, const RecoveredPage& recovered) {
    page.TurnTo(recovered.day);
    LoadDay(page, view);
    const DayFilePair paths = page.Files();
    std::u16string kept;
    if (recovered.picture && !page.TakesInk()) {
        kept = fs::path(paths.picture).filename().u16string();
    } else if (recovered.picture &&
               LoadPictureFile(view, RecoveryFilePath(page.Folder(), recovered.day, u"bmp")) == PictureLoad::Shown) {
        page.PutPicture(CapturePictureBytes(view));
        NotePageEdited(page, view);
        page.CopyKept({true, page.Copy().record});
    }
    if (recovered.record && !page.TakesClassifications()) {
        const std::u16string record = fs::path(paths.record).filename().u16string();
        kept = kept.empty() ? record : LoadText(view.instance, IDS_TWO_FILES, {kept, record});
    } else if (recovered.record) {
        PutRecordOnPage(page, view, *recovered.record);
        NotePageEdited(page, view);
        page.CopyKept({page.Copy().picture, true});
    }
    DrawDateHeader(view, page.Day());
    if (!kept.empty()) {
        ShowMessageBox(view.window, view.instance,
                       LoadText(view.instance, IDS_RECOVERED_NOT_RESTORED, {IsoDateText(recovered.day), kept}),
                       IDS_CAPTION_PROGRAM, MB_ICONEXCLAMATION);
    }
}

// Earlier versions kept the copies beside the day files, and then in the program's folder
// that every computer shares: they join this computer's folder, where the rest of the
// program looks for them, and are offered once. One already there is the newer.
void MoveEarlierCopiesIn(Page& page, PageView& view) {
    KeepIndexCurrent(page, view);
    const fs::path diary(page.Folder()), work = WorkFolder(page.Folder()), computer = ComputerFolder(page.Folder());
    std::vector<fs::path> copies;
    if (page.diary.index.Known()) {
        for (const std::u16string& name : page.diary.index.Names())
            if (DayOfRecoveryFileName(fs::path(name))) copies.push_back(diary / name);
    } else {
        for (std::int32_t number : ListRecoveredDays(diary))
            for (const char16_t* extension : {u"bmp", u"dbt"})
                copies.push_back(diary / RecoveryFileName(DayKeyOfNumber(number), extension));
    }
    for (std::int32_t number : ListRecoveredDays(work))
        for (const char16_t* extension : {u"bmp", u"dbt"})
            copies.push_back(work / RecoveryFileName(DayKeyOfNumber(number), extension));
    std::error_code error;
    if (copies.empty() || (!fs::is_directory(computer, error) && !fs::create_directories(computer, error))) return;
    for (const fs::path& copy : copies) {
        if (fs::exists(computer / copy.filename(), error) || !fs::exists(copy, error)) continue;
        fs::rename(copy, computer / copy.filename(), error);
        if (!error && copy.parent_path() == diary) page.diary.index.Removed(copy.filename().u16string());
    }
}

}  // namespace

void OfferRecoveredPages(Page& page, PageView& view) {
    MoveEarlierCopiesIn(page, view);
    for (std::int32_t number : ListRecoveredDays(ComputerFolder(page.Folder()))) {
        RecoveredPage recovered{DayKeyOfNumber(number), std::nullopt, false};
        const std::u16string date = IsoDateText(recovered.day);
        if (std::u16string reason = ReadRecovered(page, view, recovered); !reason.empty()) {
            ShowMessageBox(view.window, view.instance,
                           LoadText(view.instance, IDS_RECOVERED_UNREADABLE, {date, reason}), IDS_CAPTION_ERR,
                           MB_ICONEXCLAMATION);
            continue;
        }
        if (ShowMessageBox(view.window, view.instance, LoadText(view.instance, IDS_RECOVERED_QUESTION, {date}),
                           IDS_CAPTION_PROGRAM, MB_YESNO | MB_ICONQUESTION) == IDYES) {
            ShowRecoveredPage(page, view, recovered);
            return;
        }
        RemoveFileIfThere(RecoveryFilePath(page.Folder(), recovered.day, u"bmp"));
        RemoveFileIfThere(RecoveryFilePath(page.Folder(), recovered.day, u"dbt"));
    }
}
