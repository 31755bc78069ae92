#include "page/backups.h"

#include <shlobj.h>

#include <atomic>
#include <memory>
#include <optional>
#include <system_error>
#include <thread>

#include "backup/backup_folder.h"
#include "backup/snapshot.h"
#include "backup/snapshot_names.h"
#include "page/page.h"
#include "page/page_view.h"
#include "platform/loaded_text.h"
#include "platform/write_fault.h"
#include "resources/resource.h"

namespace fs = std::filesystem;

namespace {

constexpr UINT kHourMs = 60 * 60 * 1000;
constexpr UINT kRetryMs = 60 * 1000;
// The close waits this long for a snapshot under way; one that takes longer is left to
// end with the process, its pending file never committed.
constexpr int kCloseWaitMs = 5000;

// One snapshot on the worker. Shared with the thread, so that a close that stops waiting
// leaves it nothing freed under it.
struct SnapshotJob {
    fs::path diary;
    fs::path backups;
    bool asked = false;                     // by the user, Back up now: made even when nothing changed
    std::atomic<bool> done = false;
    std::optional<SnapshotResult> result;   // nothing when the diary had not changed
};

// The one snapshot under way, or done and not yet taken: the program has one diary window.
std::shared_ptr<SnapshotJob> g_job;
bool g_failureTold = false;

bool HoldsAnythingToKeep(const fs::path& diary) {
    std::error_code error;
    for (fs::directory_iterator entry(diary, error), end; !error && entry != end; entry.increment(error)) {
        if (entry->is_regular_file(error) && GoesIntoSnapshot(entry->path().filename())) return true;
    }
    return false;
}

// A snapshot when the diary's files differ from the newest one's; the first one only once
// the diary holds a page, so that a diary never written in leaves no empty zips behind.
std::optional<SnapshotResult> SnapshotIfChanged(const fs::path& diary, const fs::path& backups) {
    const std::vector<SnapshotFile> snapshots = ListSnapshots(backups);
    const bool changed =
        snapshots.empty() ? HoldsAnythingToKeep(diary) : DiaryDiffersFromSnapshot(diary, snapshots.front().path);
    if (!changed) return std::nullopt;
    return MakeSnapshot(diary, backups, UnixSecondsNow());
}

fs::path LocalAppDataFolder() {
    PWSTR path = nullptr;
    fs::path folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &path))) folder = path;
    CoTaskMemFree(path);
    return folder;
}

// A failure is told once a run, unless the user asked for the snapshot.
void TellFailure(const PageView& view, HWND owner, const SnapshotJob& job) {
    if (!job.result || (g_failureTold && !job.asked)) return;
    UINT reason = 0;
    switch (job.result->status) {
    case SnapshotStatus::CannotWrite: {
        const int id = ReasonTextId(job.result->fault);
        reason = static_cast<UINT>(id ? id : ReasonTextId(WriteFault::Other));
        break;
    }
    case SnapshotStatus::CheckFailed: reason = IDS_BACKUP_CHECK_FAILED; break;
    case SnapshotStatus::InsideDiary: reason = IDS_BACKUP_INSIDE_DIARY; break;
    // A diary that cannot be listed has the page's own messages; a file that could not
    // be read is in the next snapshot.
    default: return;
    }
    g_failureTold = true;
    const std::u16string text =
        LoadText(view.instance, IDS_BACKUP_FAILED, {job.backups.u16string(), LoadText(view.instance, reason)});
    ShowMessageBox(owner, view.instance, text, IDS_CAPTION_PROGRAM, MB_OK | MB_ICONWARNING);
}

std::shared_ptr<SnapshotJob> NewJob(const Page& page, bool asked) {
    auto job = std::make_shared<SnapshotJob>();
    job->diary = fs::path(page.Folder());
    job->backups = BackupFolderOfDiary(page.Folder());
    job->asked = asked;
    return job;
}

void RunJob(SnapshotJob& job) {
    job.result = job.asked ? std::optional(MakeSnapshot(job.diary, job.backups, UnixSecondsNow()))
                           : SnapshotIfChanged(job.diary, job.backups);
}

// The worker lists the files and reads each itself. The page's saves replace a file by
// renaming a complete one over it, so a read sees the old bytes or the new, and a file
// that changes while it is read is taken again.
void StartJob(const Page& page, HWND notify, bool asked) {
    g_job = NewJob(page, asked);
    std::thread([job = g_job, notify] {
        RunJob(*job);
        job->done = true;
        PostMessageW(notify, WM_SNAPSHOT_DONE, 0, 0);
    }).detach();
}

}  // namespace

fs::path BackupFolderOfDiary(const std::u16string& diaryFolder) {
    const fs::path diary(diaryFolder);
    if (std::optional<fs::path> chosen = ChosenBackupFolder(ReadSettings(diary))) return *chosen;
    return DefaultBackupFolder(LocalAppDataFolder(), diary);
}

void StartHourlySnapshots(const PageView& view) {
    if (view.window) SetTimer(view.window, IDT_HOURLY_SNAPSHOT, kHourMs, nullptr);
}

void SnapshotOnTimer(const Page& page, const PageView& view, WPARAM timerId) {
    if (timerId != IDT_HOURLY_SNAPSHOT) return;
    // Never while a save is under way (a failed save's message box runs the timers): the
    // snapshot is tried again a minute later, and then the hours go on from there.
    SetTimer(view.window, IDT_HOURLY_SNAPSHOT, page.saving ? kRetryMs : kHourMs, nullptr);
    if (page.saving) return;
    // A job whose window closed before it ended was never taken.
    if (g_job && g_job->done) TakeSnapshotResult(view);
    if (!g_job) StartJob(page, view.window, false);
}

bool StartSnapshotNow(const Page& page, HWND notify) {
    if (g_job) return false;
    StartJob(page, notify, true);
    return true;
}

bool SnapshotUnderWay() { return g_job != nullptr; }

void TakeSnapshotResult(const PageView& view, HWND owner) {
    if (!g_job || !g_job->done) return;
    const std::shared_ptr<SnapshotJob> job = std::move(g_job);
    g_job = nullptr;
    TellFailure(view, owner ? owner : view.window, *job);
}

void SnapshotAtClose(const Page& page, const PageView& view) {
    if (view.window) KillTimer(view.window, IDT_HOURLY_SNAPSHOT);
    if (g_job) {
        for (int waited = 0; !g_job->done && waited < kCloseWaitMs; waited += 20) Sleep(20);
        if (!g_job->done) return;
        TakeSnapshotResult(view);
    }
    const std::shared_ptr<SnapshotJob> job = NewJob(page, false);
    RunJob(*job);
    TellFailure(view, view.window, *job);
}
