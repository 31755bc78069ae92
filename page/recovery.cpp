#include "recovery.h"

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
#include "page/page_files.h"
#include "page/page_icons.h"
#include "page/page_view.h"
#include "page/picture_surface.h"
#include "page/today.h"
#include "platform/file_read.h"
#include "platform/file_write.h"
#include "platform/wide_text.h"
#include "resources/resource.h"

namespace fs = std::filesystem;

namespace {

constexpr UINT kRecoveryDelayMs = 2000;
// A copy that could not be written is tried again this often, until it is written or the
// page is stored: a disk that had no room may have some again.
constexpr UINT kRecoveryRetryMs = 5000;

fs::path RecoveryPath(const Page& page, const DayKey& day, std::u16string_view extension) {
    return fs::path(page.Folder()) / RecoveryFileName(day, extension);
}

void RemoveFile(const fs::path& path) {
    std::error_code ignored;
    fs::remove(path, ignored);
}

// One of the two copies: written when the next save would write it, removed when this
// program wrote it and no change needs it any more. Why the write it needed failed, or None.
WriteFault KeepCopy(bool wanted, bool& written, const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    WriteFault fault = WriteFault::None;
    if (wanted) {
        if (WriteFileSafely(path, bytes, Durability::Durable, &fault) == WriteStatus::Ok) written = true;
    } else if (written) {
        RemoveFile(path);
        written = false;
    }
    return fault;
}

// The page on show has changes a crash would lose: the window says so, quietly, and the
// copy is tried again.
void NoteMissingCopy(const Page& page, PageView& view, const fs::path& path, WriteFault fault) {
    ShowMissingCopyMark(view, page.day,
                        u"This page has no recovery copy: " + path.filename().u16string() + u" could not be written (" +
                            DescribeWriteFault(fault) +
                            u"). Doodlebinder tries again every few seconds; a change of day or Ctrl+S stores the page.");
    if (view.window) SetTimer(view.window, IDT_RECOVERY_COPY, kRecoveryRetryMs, nullptr);
}

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
    const fs::path recordPath = RecoveryPath(diary, page.day, u"dbt");
    const fs::path picturePath = RecoveryPath(diary, page.day, u"bmp");
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
               LoadPictureFile(view, WidePointer(RecoveryPath(page, recovered.day, u"bmp").u16string())) ==
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

void ScheduleRecoveryCopy(const PageView& view) {
    if (view.window) SetTimer(view.window, IDT_RECOVERY_COPY, kRecoveryDelayMs, nullptr);
}

void WriteRecoveryCopyOnTimer(Page& page, PageView& view, WPARAM timerId) {
    if (timerId != IDT_RECOVERY_COPY) return;
    KillTimer(view.window, IDT_RECOVERY_COPY);
    const SavePlan plan = PlanCurrentSave(page, view);
    std::vector<std::uint8_t> picture;
    if (plan.picture == PictureStep::Write) {
        if (std::optional<std::vector<std::uint8_t>> pixels = CapturePictureBytes(view)) picture = PictureFileBytes(*pixels);
    }
    const fs::path picturePath = RecoveryPath(page, page.day, u"bmp");
    const WriteFault pictureCopy = KeepCopy(!picture.empty(), page.copy.picture, picturePath, picture);
    std::vector<std::uint8_t> record;
    if (plan.record == RecordStep::Write) record = SerializeRecord(CurrentRecord(page, view)).bytes;
    const fs::path recordPath = RecoveryPath(page, page.day, u"dbt");
    const WriteFault recordCopy = KeepCopy(!record.empty(), page.copy.record, recordPath, record);
    if (pictureCopy != WriteFault::None) {
        NoteMissingCopy(page, view, picturePath, pictureCopy);
    } else if (recordCopy != WriteFault::None) {
        NoteMissingCopy(page, view, recordPath, recordCopy);
    } else {
        ShowMissingCopyMark(view, page.day, u"");
    }
}

void RemoveRecoveryCopy(Page& page, PageView& view) {
    if (view.window) KillTimer(view.window, IDT_RECOVERY_COPY);
    if (page.copy.picture) RemoveFile(RecoveryPath(page, page.day, u"bmp"));
    if (page.copy.record) RemoveFile(RecoveryPath(page, page.day, u"dbt"));
    page.copy = {};
    ShowMissingCopyMark(view, page.day, u"");
}

void ForgetRecoveryCopy(Page& page, PageView& view) {
    if (view.window) KillTimer(view.window, IDT_RECOVERY_COPY);
    page.copy = {};
    ShowMissingCopyMark(view, page.day, u"");
}

void OfferRecoveredPages(Page& page, PageView& view) {
    const DayKey today = GetToday();
    for (std::int32_t number : ListRecoveredDays(fs::path(page.Folder()))) {
        RecoveredPage recovered{DayKeyOfNumber(number, today), std::nullopt, false};
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
        RemoveFile(RecoveryPath(page, recovered.day, u"bmp"));
        RemoveFile(RecoveryPath(page, recovered.day, u"dbt"));
    }
}
