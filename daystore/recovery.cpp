#include "recovery.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/resource.h"
#include "app/shell_state.h"
#include "canvas/page_icons.h"
#include "canvas/picture_bytes.h"
#include "canvas/picture_file.h"
#include "daystore/date_header.h"
#include "daystore/page.h"
#include "daystore/record.h"
#include "daystore/record_file.h"
#include "daystore/recovery_files.h"
#include "daystore/today.h"
#include "platform/file_read.h"
#include "platform/file_write.h"
#include "platform/wide_text.h"

namespace fs = std::filesystem;

namespace {

constexpr UINT kRecoveryDelayMs = 2000;
// A copy that could not be written is tried again this often, until it is written or the
// page is stored: a disk that had no room may have some again.
constexpr UINT kRecoveryRetryMs = 5000;

// The copies this program wrote (or restored from) for the page on show; only these are
// ever removed, so a copy from an earlier run waits for its question.
struct RecoveryCopy {
    bool picture = false;
    bool record = false;
};
RecoveryCopy g_copy;

fs::path RecoveryPath(const DayKey& day, std::u16string_view extension) {
    return fs::path(g_shell.dataFolder) / RecoveryFileName(day, extension);
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
void NoteMissingCopy(const fs::path& path, WriteFault fault) {
    ShowMissingCopyMark(u"This page has no recovery copy: " + path.filename().u16string() + u" could not be written (" +
                        DescribeWriteFault(fault) +
                        u"). Doodlebinder tries again every few seconds; a change of day or Ctrl+S stores the page.");
    if (g_shell.mainWindow) SetTimer(g_shell.mainWindow, IDT_RECOVERY_COPY, kRecoveryRetryMs, nullptr);
}

struct RecoveredPage {
    DayKey day;
    std::optional<DayRecord> record;
    bool picture = false;
};

bool IsOurPictureFile(const std::vector<std::uint8_t>& bytes) {
    std::vector<std::uint8_t> header = PictureFileBytes(std::vector<std::uint8_t>(kPicturePixelBytes, 0xFF));
    return bytes.size() == header.size() && std::equal(header.begin(), header.begin() + kPictureHeaderBytes, bytes.begin());
}

// The reason a copy cannot be used, or empty when it can.
std::u16string ReadRecovered(RecoveredPage& page) {
    const fs::path recordPath = RecoveryPath(page.day, u"dbt");
    const fs::path picturePath = RecoveryPath(page.day, u"bmp");
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
void ShowRecoveredPage(const RecoveredPage& page) {
    g_page.currentDay = page.day;
    LoadDay();
    const DayFilePair paths = DayFileNames(g_shell.dataFolder, page.day);
    std::u16string kept;
    if (page.picture && g_page.pictureUnreadable) {
        kept = fs::path(paths.picture).filename().u16string();
    } else if (page.picture && LoadCanvasImage(WidePointer(RecoveryPath(page.day, u"bmp").u16string())) == PictureLoad::Shown) {
        NotePictureChanged();
        g_copy.picture = true;
    }
    if (page.record && g_page.recordUnreadable) {
        kept += (kept.empty() ? u"" : u" and ") + fs::path(paths.record).filename().u16string();
    } else if (page.record) {
        const DayRecord& record = *page.record;
        SetWindowTextW(g_shell.textBox, WidePointer(record.text));
        g_page.weatherIndex = record.weather;
        g_page.moodIndex = record.mood;
        g_page.extraHeader = record.extraHeader;
        DrawWeatherIcon(static_cast<int>(ShownWeatherIcon(record.weather)));
        SendMessageW(g_shell.placeBox, CB_SETCURSEL, static_cast<WPARAM>(ShownPlaceItem(record.place)), 0);
        DrawMoodIcon(static_cast<int>(ShownMoodIcon(record.mood)));
        g_copy.record = true;
    }
    DrawDateHeader();
    if (!kept.empty()) {
        std::u16string text = u"The unsaved page of " + IsoDateText(page.day) + u" is not restored over " + kept +
                              u", which cannot be read now.\n\nIts copy stays in the diary folder, and the next "
                              u"start offers it again.";
        MessageBoxW(g_shell.mainWindow, WidePointer(text), L"Doodlebinder", MB_ICONEXCLAMATION);
    }
}

}  // namespace

void ScheduleRecoveryCopy() {
    if (g_shell.mainWindow) SetTimer(g_shell.mainWindow, IDT_RECOVERY_COPY, kRecoveryDelayMs, nullptr);
}

void WriteRecoveryCopyOnTimer(WPARAM timerId) {
    if (timerId != IDT_RECOVERY_COPY) return;
    KillTimer(g_shell.mainWindow, IDT_RECOVERY_COPY);
    SavePlan plan = PlanCurrentSave();
    std::vector<std::uint8_t> picture;
    if (plan.picture == PictureStep::Write) {
        if (std::optional<std::vector<std::uint8_t>> pixels = CapturePictureBytes()) picture = PictureFileBytes(*pixels);
    }
    const fs::path picturePath = RecoveryPath(g_page.currentDay, u"bmp");
    const WriteFault pictureCopy = KeepCopy(!picture.empty(), g_copy.picture, picturePath, picture);
    std::vector<std::uint8_t> record;
    if (plan.record == RecordStep::Write) record = SerializeRecord(CurrentRecord()).bytes;
    const fs::path recordPath = RecoveryPath(g_page.currentDay, u"dbt");
    const WriteFault recordCopy = KeepCopy(!record.empty(), g_copy.record, recordPath, record);
    if (pictureCopy != WriteFault::None) {
        NoteMissingCopy(picturePath, pictureCopy);
    } else if (recordCopy != WriteFault::None) {
        NoteMissingCopy(recordPath, recordCopy);
    } else {
        ShowMissingCopyMark(u"");
    }
}

void RemoveRecoveryCopy() {
    if (g_shell.mainWindow) KillTimer(g_shell.mainWindow, IDT_RECOVERY_COPY);
    if (g_copy.picture) RemoveFile(RecoveryPath(g_page.currentDay, u"bmp"));
    if (g_copy.record) RemoveFile(RecoveryPath(g_page.currentDay, u"dbt"));
    g_copy = {};
    ShowMissingCopyMark(u"");
}

void ForgetRecoveryCopy() {
    if (g_shell.mainWindow) KillTimer(g_shell.mainWindow, IDT_RECOVERY_COPY);
    g_copy = {};
    ShowMissingCopyMark(u"");
}

void OfferRecoveredPages() {
    const DayKey today = GetToday();
    for (std::int32_t number : ListRecoveredDays(fs::path(g_shell.dataFolder))) {
        RecoveredPage page{DayKeyOfNumber(number, today), std::nullopt, false};
        const std::u16string date = IsoDateText(page.day);
        if (std::u16string reason = ReadRecovered(page); !reason.empty()) {
            std::u16string text = u"The unsaved page of " + date + u" that Doodlebinder kept could not be read (" +
                                  reason + u").\n\nIts files are left in the diary folder.";
            MessageBoxW(g_shell.mainWindow, WidePointer(text), L"Err", MB_ICONEXCLAMATION);
            continue;
        }
        std::u16string question = u"Doodlebinder ended without saving the page of " + date +
                                  u".\n\nRestore it? Yes shows that day with its unsaved drawing and text; "
                                  u"No deletes them.";
        if (MessageBoxW(g_shell.mainWindow, WidePointer(question), L"Doodlebinder", MB_YESNO | MB_ICONQUESTION) == IDYES) {
            ShowRecoveredPage(page);
            return;
        }
        RemoveFile(RecoveryPath(page.day, u"bmp"));
        RemoveFile(RecoveryPath(page.day, u"dbt"));
    }
}
