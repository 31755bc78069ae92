// A snapshot of the diary: one zip file in the backup folder holding every day file of
// the diary folder (records and pictures) and the templates and images beside them, with
// their names and modification times. It is written through the safe writer, opened
// again and checked entry by entry before it counts; one that fails is removed, and the
// older ones stay. Only after a complete snapshot has passed are the older ones pruned
// by age.
//
// Everything here runs on whichever thread calls it: no state outside the call, results
// as values.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <vector>

#include "backup/dos_time.h"
#include "platform/file_read.h"
#include "platform/file_write.h"

enum class SnapshotStatus {
    Ok,
    Incomplete,     // written and checked, but some files could not be read (`unread`); nothing pruned
    InsideDiary,    // the backup folder is the diary folder or inside it: a lost disk would take both
    NoDiary,        // the diary folder cannot be listed
    CannotWrite,    // the backup folder could not take it: `fault` says why
    CheckFailed,    // written, but it did not read back whole; removed
};

struct UnreadFile {
    std::filesystem::path path;
    ReadStatus why;   // InUse also for a file that kept changing while it was read
};

struct SnapshotResult {
    SnapshotStatus status = SnapshotStatus::Ok;
    WriteFault fault = WriteFault::None;
    std::filesystem::path snapshot;              // the file made, for Ok and Incomplete
    std::uint64_t size = 0;                      // its bytes
    int files = 0;                               // the files it holds
    std::vector<UnreadFile> unread;
    std::vector<std::filesystem::path> pruned;   // older snapshots removed by age
};

// For tests: the writer's steps, and a look at each diary file just after it was read.
struct SnapshotHooks {
    FileWriteSteps* steps = nullptr;
    std::function<void(const std::filesystem::path&)> afterRead;
};

// Which files of the diary folder a snapshot holds: the day records and pictures, and
// the templates and images at the top level (.html, .htm, .gif, .png, .jpg). Not the
// program, its settings or its own folder.
bool GoesIntoSnapshot(const std::filesystem::path& name);

// True when `inner` is `outer` or lies inside it, the links and ".." of both resolved.
bool IsSameOrInside(const std::filesystem::path& inner, const std::filesystem::path& outer);

// A snapshot of `diary` in `backupFolder` (made when missing), named by the local time of
// `nowUnix`; then the older snapshots pruned by age as of that time.
SnapshotResult MakeSnapshot(const std::filesystem::path& diary, const std::filesystem::path& backupFolder,
                            std::int64_t nowUnix, const SnapshotHooks& hooks = {});

// True when the files a snapshot of `diary` would take differ from the ones `snapshot`
// holds, by name, size or modification time (to the second), or when it cannot be read:
// whether a new snapshot has anything to keep. Reads the folder's listing and the
// snapshot's directory, no file.
bool DiaryDiffersFromSnapshot(const std::filesystem::path& diary, const std::filesystem::path& snapshot);

// Removes the snapshots of the folder that the rule of ages no longer keeps; the removed.
// Only names of the snapshots' own pattern are touched.
std::vector<std::filesystem::path> PruneSnapshots(const std::filesystem::path& backupFolder, const CivilTime& now);
