// Snapshots of the diary while the program runs: one an hour when a day file changed
// since the last, made on a worker thread so the page stays in the user's hands, and one
// after the page is saved at the close. A backup folder that cannot take them is named to
// the user once a run; the diary goes on working all the same.
#pragma once

#include <windows.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <string>

class Page;
class PageView;
struct SnapshotJob;

// The backups of this run, kept with the main window's page: the one snapshot under way
// (or done and not yet taken), and what was told to the user.
struct BackupsOfRun {
    std::shared_ptr<SnapshotJob> job;
    bool failureTold = false;
    std::set<std::filesystem::path> leftOutTold;  // files a snapshot had to leave out, each told once a run
};

// The backup folder of this diary: the one chosen in its settings file (or for this run),
// or the default on the computer's own disk; nothing while the settings file cannot be
// read, which may name another.
std::optional<std::filesystem::path> BackupFolderOfDiary(const Page& page);

// Starts the hourly timer of the main window.
void StartHourlySnapshots(const PageView& view);
// The main window's timer: a snapshot on the worker when the diary changed since the
// last, unless one is still under way.
void SnapshotOnTimer(BackupsOfRun& backups, const Page& page, const PageView& view, WPARAM timerId);
// "Back up now": a snapshot on the worker whether or not the diary changed; `notify` gets
// WM_SNAPSHOT_DONE. False when one is under way already, or the backup folder is not known.
bool StartSnapshotNow(BackupsOfRun& backups, const Page& page, HWND notify);
bool SnapshotUnderWay(const BackupsOfRun& backups);
// WM_SNAPSHOT_DONE from the worker: its result taken, a failure told (in a box owned by
// `owner`, the main window by default) once a run, or always when the user asked.
void TakeSnapshotResult(BackupsOfRun& backups, const PageView& view, HWND owner = nullptr);
// The close, after the page was saved or its changes given up: waits a few seconds at
// most for a snapshot under way, then makes the last one when the diary changed.
void SnapshotAtClose(BackupsOfRun& backups, const Page& page, const PageView& view);
