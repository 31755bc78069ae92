#include "page/win32/backups.h"

#include <shlobj.h>

#include <atomic>
#include <memory>
#include <optional>
#include <set>
#include <system_error>
#include <thread>

#include "backup/backup_folder.h"
#include "backup/diary_identity.h"
#include "backup/snapshot.h"
#include "backup/snapshot_names.h"
#include "page/win32/diary_settings.h"
#include "page/page.h"
#include "page/win32/page_view.h"
#include "platform/win32/loaded_text.h"
#include "platform/write_fault.h"
#include "resources/resource.h"

namespace fs = std::filesystem;

// One snapshot on the worker. Shared with the thread, so that a close that stops waiting
// leaves it nothing freed under it.
struct SnapshotJob {
    fs::path diary;
    fs::path backups;
    bool asked = false;  // by the user, Back up now: made even when nothing changed
    std::atomic<bool> done = false;
    std::optional<SnapshotResult> result;  // nothing when the diary had not changed
};

namespace {

constexpr UINT kHourMs = 60 * 60 * 1000;
constexpr UINT kRetryMs = 60 * 1000;
// The close waits this long for a snapshot under way; one that takes longer is left to
// end with the process, its pending file never committed.
constexpr int kCloseWaitMs = 5000;

// A page, a template or an image; the settings file alone (a zoom chosen) is no diary yet.
bool HoldsAnythingToKeep(const fs::path& diary) {
    std::error_code error;
    for (fs::directory_iterator entry(diary, error), end; !error && entry != end; entry.increment(error)) {
        const fs::path name = entry->path().filename();
        if (entry->is_regular_file(error) && GoesIntoSnapshot(name) && name != fs::path(kSettingsFileName)) return true;
    }
    return false;
}

// A snapshot when the diary's files differ from the newest one's; the first one only once
// the diary holds a page, so that a diary never written in leaves no empty zips behind.
std::optional<SnapshotResult> SnapshotIfChanged(const fs::path& diary, const fs::path& backups) {
    const DiarySnapshots snapshots = ListDiarySnapshots(backups, KnownDiaryIdentity(diary).value_or(""));
    const bool changed = snapshots.ours.empty() ? HoldsAnythingToKeep(diary)
                                                : DiaryDiffersFromSnapshot(diary, snapshots.ours.front().path);
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

std::u16string NamesInLines(const std::vector<fs::path>& paths) {
    std::u16string lines;
    for (const fs::path& path : paths) lines += path.filename().u16string() + u"\n";
    return lines;
}

// Files left out of a snapshot, each named once a run: the hourly snapshots go on
// leaving out a file that stays unreadable, and say nothing more of it.
void TellLeftOut(BackupsOfRun& backups, const PageView& view, HWND owner, const SnapshotJob& job) {
    std::u16string lines;
    for (const UnreadFile& file : job.result->unread) {
        if (!backups.leftOutTold.insert(file.path).second && !job.asked) continue;
        const UINT reason = file.tooLarge ? IDS_BACKUP_TOO_LARGE : static_cast<UINT>(ReasonTextId(file.why));
        lines += LoadText(view.instance, IDS_BACKUP_LEFT_OUT_LINE,
                          {file.path.filename().u16string(), LoadText(view.instance, reason)}) +
                 u"\n";
    }
    if (lines.empty()) return;
    ShowMessageBox(owner, view.instance, LoadText(view.instance, IDS_BACKUP_LEFT_OUT, {job.backups.u16string(), lines}),
                   IDS_CAPTION_PROGRAM, MB_OK | MB_ICONWARNING);
}

// A failure is told once a run, unless the user asked for the snapshot.
void TellFailure(BackupsOfRun& backups, const PageView& view, HWND owner, const SnapshotJob& job) {
    if (!job.result) return;
    if (!job.result->setAside.empty()) {
        ShowMessageBox(owner, view.instance,
                       LoadText(view.instance, IDS_BACKUP_SET_ASIDE, {NamesInLines(job.result->setAside)}),
                       IDS_CAPTION_PROGRAM, MB_OK | MB_ICONWARNING);
    }
    if (job.result->status == SnapshotStatus::Incomplete) TellLeftOut(backups, view, owner, job);
    if (backups.failureTold && !job.asked) return;
    UINT reason = 0;
    switch (job.result->status) {
    case SnapshotStatus::CannotWrite: {
        const int id = ReasonTextId(job.result->fault);
        reason = static_cast<UINT>(id ? id : ReasonTextId(WriteFault::Other));
        break;
    }
    case SnapshotStatus::CheckFailed: reason = IDS_BACKUP_CHECK_FAILED; break;
    case SnapshotStatus::InsideDiary: reason = IDS_BACKUP_INSIDE_DIARY; break;
    // A folder without pages is most likely a stick not plugged in: the hourly snapshot
    // waits for it in silence, and says why only when the user asked for one.
    case SnapshotStatus::EmptyDiary:
        if (!job.asked) return;
        reason = IDS_BACKUP_EMPTY_DIARY;
        break;
    // A diary that cannot be listed has the page's own messages.
    default: return;
    }
    backups.failureTold = true;
    const std::u16string text =
        LoadText(view.instance, IDS_BACKUP_FAILED, {job.backups.u16string(), LoadText(view.instance, reason)});
    ShowMessageBox(owner, view.instance, text, IDS_CAPTION_PROGRAM, MB_OK | MB_ICONWARNING);
}

// True for a diary that was never backed up and holds nothing to keep: it gets no
// identity, no settings file and no snapshot until it has a page.
bool NothingToBackUpYet(const Page& page) {
    const fs::path diary(page.Folder());
    return !KnownDiaryIdentity(diary) && !HoldsAnythingToKeep(diary);
}

// Nothing while the backup folder cannot be known. The diary's identity is made here (by
// BackupFolderOfDiary), on the window's thread, which writes the settings file: the worker
// only reads it.
std::shared_ptr<SnapshotJob> NewJob(const Page& page, bool asked) {
    std::optional<fs::path> backups = BackupFolderOfDiary(page);
    if (!backups) return nullptr;
    auto job = std::make_shared<SnapshotJob>();
    job->diary = fs::path(page.Folder());
    job->backups = std::move(*backups);
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
bool StartJob(BackupsOfRun& backups, const Page& page, HWND notify, bool asked) {
    backups.job = NewJob(page, asked);
    if (!backups.job) return false;
    std::thread([job = backups.job, notify] {
        RunJob(*job);
        job->done = true;
        PostMessageW(notify, WM_SNAPSHOT_DONE, 0, 0);
    }).detach();
    return true;
}

}  // namespace

std::optional<fs::path> BackupFolderOfDiary(const Page& page) {
    const Settings settings = DiarySettings(page);
    // The folder the user chose may be in the file that cannot be read now: the default is
    // no stand-in for it.
    if (settings.FromUnreadableFile() && !ChosenBackupFolder(settings)) return std::nullopt;
    // The identity the snapshots carry, made here when the diary has none (writing it
    // changes no other line); the default folder is named by it.
    const fs::path diary(page.Folder());
    std::string identity;
    ObtainDiaryIdentity(diary, identity);
    if (std::optional<fs::path> chosen = ChosenBackupFolder(settings)) return *chosen;
    return DefaultBackupFolder(LocalAppDataFolder(), diary, identity);
}

void StartHourlySnapshots(const PageView& view) {
    if (view.window) SetTimer(view.window, IDT_HOURLY_SNAPSHOT, kHourMs, nullptr);
}

void SnapshotOnTimer(BackupsOfRun& backups, const Page& page, const PageView& view, WPARAM timerId) {
    if (timerId != IDT_HOURLY_SNAPSHOT) return;
    // Never while a save is under way (a failed save's message box runs the timers), nor
    // while the backup folder cannot be known: the snapshot is tried again a minute later,
    // and then the hours go on from there.
    SetTimer(view.window, IDT_HOURLY_SNAPSHOT, page.Saving() ? kRetryMs : kHourMs, nullptr);
    if (page.Saving()) return;
    // A job whose window closed before it ended was never taken.
    if (backups.job && backups.job->done) TakeSnapshotResult(backups, view);
    if (backups.job || NothingToBackUpYet(page)) return;
    if (!StartJob(backups, page, view.window, false)) SetTimer(view.window, IDT_HOURLY_SNAPSHOT, kRetryMs, nullptr);
}

bool StartSnapshotNow(BackupsOfRun& backups, const Page& page, HWND notify) {
    if (backups.job) return false;
    return StartJob(backups, page, notify, true);
}

bool SnapshotUnderWay(const BackupsOfRun& backups) { return backups.job != nullptr; }

void TakeSnapshotResult(BackupsOfRun& backups, const PageView& view, HWND owner) {
    if (!backups.job || !backups.job->done) return;
    const std::shared_ptr<SnapshotJob> job = std::move(backups.job);
    backups.job = nullptr;
    TellFailure(backups, view, owner ? owner : view.window, *job);
}

void SnapshotAtClose(BackupsOfRun& backups, const Page& page, const PageView& view) {
    if (view.window) KillTimer(view.window, IDT_HOURLY_SNAPSHOT);
    if (backups.job) {
        for (int waited = 0; !backups.job->done && waited < kCloseWaitMs; waited += 20) Sleep(20);
        if (!backups.job->done) return;
        TakeSnapshotResult(backups, view);
    }
    if (NothingToBackUpYet(page)) return;
    const std::shared_ptr<SnapshotJob> job = NewJob(page, false);
    if (!job) return;
    RunJob(*job);
    TellFailure(backups, view, view.window, *job);
}
