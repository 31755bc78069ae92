#include "page/win32/disk_changes.h"

#include <filesystem>
#include <optional>

#include "diarycore/picture_bytes.h"
#include "page/win32/conflict_intake.h"
#include "page/win32/date_header.h"
#include "page/win32/day_loading.h"
#include "page/win32/folder_index.h"
#include "page/page.h"
#include "page/win32/page_edits.h"
#include "page/win32/page_view.h"
#include "page/win32/recovery.h"
#include "page/win32/current_page.h"
#include "platform/win32/loaded_text.h"
#include "resources/resource.h"
#include "sync/kept_versions.h"
#include "sync/picture_merge.h"
#include "sync/day_files.h"

namespace fs = std::filesystem;

namespace {

constexpr UINT kFollowIntervalMs = 2000;

// Both sides coloured some pixels differently and the page keeps this computer's: the
// other side's whole picture is set aside where Earlier Versions lists it. When it
// cannot be, the save keeps the day's picture beside it before replacing it, or does not
// replace it.
void KeepTheirPicture(Page& page, const DayFileBytes& disk) {
    if (disk.picture &&
        KeepDayVersion(fs::path(page.Folder()), page.Day(), {std::nullopt, disk.picture}, UnixSecondsNow()).empty())
        page.KeepPictureBeforeReplacing();
}

// The merge over the day as it is on disk now, as unsaved changes, with the caret where
// it was.
void ShowMerged(Page& page, PageView& view, const MergedPage& merged) {
    DWORD start = 0, end = 0;
    SendMessageW(view.textBox, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const Page::RecoveryCopy copy = page.Copy();
    LoadDay(page, view);
    // The copies already written stay this page's: the next copy replaces them.
    page.CopyKept(copy);
    if (merged.summary.differsFromTheirs.record && merged.page.record) {
        PutRecordOnPage(page, view, *merged.page.record);
        NotePageEdited(page, view);
    }
    if (merged.summary.differsFromTheirs.picture)
        ShowPictureOnPage(page, view, merged.page.picture.value_or(BlankPicturePixels()));
    SendMessageW(view.textBox, EM_SETSEL, start, end);
    SendMessageW(view.textBox, EM_SCROLLCARET, 0, 0);
}

}  // namespace

DiskChange TakeInDiskChanges(Page& page, PageView& view) {
    if (page.Loading() || page.Saving() || page.PenDown()) return DiskChange::None;
    KeepIndexCurrent(page, view);
    const DayFilePair paths = page.Files();
    DayFileBytes disk;
    // A file held while it is written is looked at again later.
    if (ReadDayFileBytes(DayFileToRead(page, paths.record), DayFileToRead(page, paths.picture), disk) != ReadStatus::Ok)
        return DiskChange::None;
    if (disk == page.LoadedFiles()) return DiskChange::None;

    const SavePlan plan = PlanCurrentSave(page, view);
    if (plan.picture == PictureStep::Keep && plan.record == RecordStep::Keep) {
        RemoveRecoveryCopy(page, view);
        LoadDay(page, view);
        ShowHeaderNotice(view, page.Day(), LoadText(view.instance, IDS_CHANGED_ELSEWHERE));
        return DiskChange::Followed;
    }
    // Drawing that could not be captured is not merged away: the next look tries again.
    if (page.PictureMayHaveChanged() && !page.Pixels()) return DiskChange::None;
    const std::optional<MergedPage> merged = page.MergeWithDisk(disk);
    if (!merged) {
        // Not a page of ours: the save keeps it beside the day before it replaces it.
        page.FilesChangedElsewhere(disk);
        return DiskChange::None;
    }
    ShowMerged(page, view, *merged);
    if (merged->summary.pictureConflicted) KeepTheirPicture(page, disk);
    // What the merge holds. Loading may have met a newer version still: its difference
    // from this one is merged at the next look.
    page.MergedWith(disk);
    ShowHeaderNotice(view, page.Day(), LoadText(view.instance, IDS_MERGED_ELSEWHERE));
    return DiskChange::Merged;
}

void StartFollowingDayFiles(const PageView& view) {
    if (view.window) SetTimer(view.window, IDT_FOLLOW_FILES, kFollowIntervalMs, nullptr);
}

void FollowDayFilesOnTimer(Page& page, PageView& view, WPARAM timerId) {
    if (timerId != IDT_FOLLOW_FILES) return;
    // Not under a message box or a dialog of the window's: the page changes only while
    // the user can see it do so.
    if (!IsWindowEnabled(view.window) || page.Loading() || page.Saving()) return;
    TakeInConflictCopies(page, view);
    TakeInDiskChanges(page, view);
}
