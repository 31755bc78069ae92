#include "recovery.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "diarycore/day_file_store.h"
#include "diarycore/picture_bytes.h"
#include "diarycore/record.h"
#include "diarycore/recovery_files.h"
#include "page/win32/date_header.h"
#include "page/page.h"
#include "page/win32/current_page.h"
#include "page/win32/page_view.h"
#include "platform/file_write.h"
#include "platform/win32/loaded_text.h"
#include "platform/wide_text.h"
#include "resources/resource.h"

namespace fs = std::filesystem;

namespace {

constexpr UINT kRecoveryDelayMs = 2000;
// A copy that could not be written is tried again this often, until it is written or the
// page is stored: a disk that had no room may have some again.
constexpr UINT kRecoveryRetryMs = 5000;

// One of the two copies: written when the next save would write it, removed when this
// program wrote it and no change needs it any more. Why the write it needed failed, or None.
WriteFault KeepCopy(bool wanted, bool& written, const fs::path& path, const std::vector<std::uint8_t>& bytes,
                    const WriteOptions& options) {
    WriteFault fault = WriteFault::None;
    if (wanted) {
        if (WriteDayFile(path, bytes, options, &fault) == WriteStatus::Ok) written = true;
    } else if (written) {
        RemoveFileIfThere(path);
        written = false;
    }
    return fault;
}

// The page on show has changes a crash would lose: the window says so, quietly, and the
// copy is tried again.
void NoteMissingCopy(const Page& page, PageView& view, const fs::path& path, WriteFault fault) {
    ShowMissingCopyMark(view, page.Day(),
                        LoadText(view.instance, IDS_NO_RECOVERY_COPY,
                                 {path.filename().u16string(), LoadText(view.instance, ReasonTextId(fault))}));
    if (view.window) SetTimer(view.window, IDT_RECOVERY_COPY, kRecoveryRetryMs, nullptr);
}

}  // namespace

void ScheduleRecoveryCopy(const PageView& view) {
    if (view.window) SetTimer(view.window, IDT_RECOVERY_COPY, kRecoveryDelayMs, nullptr);
}

void WriteRecoveryCopyOnTimer(Page& page, PageView& view, WPARAM timerId) {
    if (timerId != IDT_RECOVERY_COPY) return;
    KillTimer(view.window, IDT_RECOVERY_COPY);
    const SavePlan plan = PlanCurrentSave(page, view);
    // The copies live in the program's small folder, their temporary files beneath it.
    const WriteOptions options{Durability::Durable, TemporaryFolder(page.Folder()), false};
    std::vector<std::uint8_t> picture;
    if (plan.picture == PictureStep::Write && page.Pixels()) picture = PictureFileBytes(*page.Pixels());
    Page::RecoveryCopy copy = page.Copy();
    const fs::path picturePath = RecoveryFilePath(page.Folder(), page.Day(), u"bmp");
    const WriteFault pictureCopy = KeepCopy(!picture.empty(), copy.picture, picturePath, picture, options);
    std::vector<std::uint8_t> record;
    if (plan.record == RecordStep::Write) record = SerializeRecord(page.RecordToStore()).bytes;
    const fs::path recordPath = RecoveryFilePath(page.Folder(), page.Day(), u"dbt");
    const WriteFault recordCopy = KeepCopy(!record.empty(), copy.record, recordPath, record, options);
    page.CopyKept(copy);
    if (pictureCopy != WriteFault::None) {
        NoteMissingCopy(page, view, picturePath, pictureCopy);
    } else if (recordCopy != WriteFault::None) {
        NoteMissingCopy(page, view, recordPath, recordCopy);
    } else {
        ShowMissingCopyMark(view, page.Day(), u"");
    }
}

void RemoveRecoveryCopy(Page& page, PageView& view) {
    if (view.window) KillTimer(view.window, IDT_RECOVERY_COPY);
    if (page.Copy().picture) RemoveFileIfThere(RecoveryFilePath(page.Folder(), page.Day(), u"bmp"));
    if (page.Copy().record) RemoveFileIfThere(RecoveryFilePath(page.Folder(), page.Day(), u"dbt"));
    page.CopyKept({});
    ShowMissingCopyMark(view, page.Day(), u"");
}

void ForgetRecoveryCopy(Page& page, PageView& view) {
    if (view.window) KillTimer(view.window, IDT_RECOVERY_COPY);
    page.CopyKept({});
    ShowMissingCopyMark(view, page.Day(), u"");
}
