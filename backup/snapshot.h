// A snapshot of the diary: one zip file in the backup folder holding every day file of
// the diary folder (records and pictures) and the templates and images beside them, with
// their names and modification times. It is written through the safe writer, opened
// again and checked entry by entry before it counts; one that fails is removed, and the
// older ones stay. Only after a snapshot has passed are the older ones of the same diary
// pruned by age.
//
// Everything here runs on whichever thread calls it: no state outside the call, results
// as values.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string_view>
#include <vector>

#include "backup/diary_identity.h"
#include "backup/dos_time.h"
#include "backup/snapshot_label.h"
#include "platform/file_read.h"
#include "platform/file_write.h"

enum class SnapshotStatus {
    Ok,
    Incomplete,   // written and checked, but some files are left out (`unread`); pruned as usual
    InsideDiary,  // the backup folder is the diary folder or inside it: a lost disk would take both
    NoDiary,      // the diary folder cannot be listed
    EmptyDiary,   // the diary folder holds no day file while its newest snapshot does: nothing written
    CannotWrite,  // the backup folder could not take it: `fault` says why
    CheckFailed,  // written, but it did not read back whole; removed
};

struct UnreadFile {
    std::filesystem::path path;
    ReadStatus why;         // InUse also for a file that kept changing while it was read
    bool tooLarge = false;  // not read at all: larger than a snapshot takes of a file beside the days
};

// Beside the days, a file larger than this is left out with a word: a snapshot holds
// each file in memory while it is written, and a template's image is never near it.
inline constexpr std::uint64_t kLargestFileBesideDays = std::uint64_t{64} << 20;

struct SnapshotResult {
    SnapshotStatus status = SnapshotStatus::Ok;
    WriteFault fault = WriteFault::None;
    std::filesystem::path snapshot;  // the file made, for Ok and Incomplete
    std::uint64_t size = 0;          // its bytes
    int files = 0;                   // the files it holds
    std::vector<UnreadFile> unread;
    std::vector<std::filesystem::path> pruned;    // older snapshots removed by age
    std::vector<std::filesystem::path> setAside;  // older snapshots that failed their check, renamed
    // The diary's identity could not be read or kept: the snapshot carries none, and no
    // older one was pruned, since which of them are this diary's cannot be told.
    IdentityStatus identity = IdentityStatus::Ok;
    WriteFault identityFault = WriteFault::None;
};

// For tests: the writer's steps, and a look at each diary file just after it was read.
struct SnapshotHooks {
    FileWriteSteps* steps = nullptr;
    std::function<void(const std::filesystem::path&)> afterRead;
};

struct SnapshotChoices {
    // A diary folder without a day file is snapshotted even when its newest snapshot has
    // days (the pages were removed on purpose, not a stick left out).
    bool evenIfEmpty = false;
};

// Which files of the diary folder a snapshot holds: the day records and pictures, plain
// or locked ("YYYYMMDD.dbt.locked"), the originals kept beside them before a replace
// ("YYYYMMDD.bmp.orig", "YYYYMMDD.dbt.damaged"), the diary's settings file (its identity
// among them), and the templates and images at the top level (.html, .htm, .gif, .png,
// .jpg). Not the program or its own folder, but for a locked diary's key file, which the
// snapshot holds as ".doodlebinder/diary.key".
bool GoesIntoSnapshot(const std::filesystem::path& name);

// True when `inner` is `outer` or lies inside it, the links and ".." of both resolved.
bool IsSameOrInside(const std::filesystem::path& inner, const std::filesystem::path& outer);

// A snapshot of `diary` in `backupFolder` (made when missing, and removed again when the
// snapshot fails), named by the local time of `nowUnix`; then the older snapshots of the
// same diary pruned by age as of that time. The writer's leftovers of interrupted
// snapshots are swept from the backup folder first.
SnapshotResult MakeSnapshot(const std::filesystem::path& diary, const std::filesystem::path& backupFolder,
                            std::int64_t nowUnix, const SnapshotHooks& hooks = {}, SnapshotChoices choices = {});

// True when the files a snapshot of `diary` would take differ from the ones `snapshot`
// holds or left out, by name, size or modification time (to the second), or when it
// cannot be read: whether a new snapshot has anything to keep. Reads the folder's
// listing and the snapshot's directory, no file.
bool DiaryDiffersFromSnapshot(const std::filesystem::path& diary, const std::filesystem::path& snapshot);

// A snapshot of the backup folder, with what it says of itself.
struct LabelledSnapshot {
    std::filesystem::path path;
    CivilTime time;
    SnapshotLabel label;
};
struct DiarySnapshots {
    std::vector<LabelledSnapshot> ours;             // newest first
    std::vector<std::filesystem::path> unreadable;  // of the pattern, but no zip could be read: whose is unknown
};
// The snapshots of one diary: those carrying its identity, and those made before diaries
// had one (which every diary reads, and none prunes). An empty identity takes every
// snapshot that can be read.
DiarySnapshots ListDiarySnapshots(const std::filesystem::path& backupFolder, std::string_view identity);

// Removes the snapshots of the diary that the rule of ages no longer keeps; the removed.
// Only names of the snapshots' own pattern carrying the diary's identity are touched, and
// `keep` (the snapshot just made) never. Before a snapshot goes, the one that stands for
// its period is checked entry by entry; one that fails is renamed aside ("...-damaged.zip",
// in `setAside`) and counts no more, so a damaged snapshot never outlives a good one.
std::vector<std::filesystem::path> PruneSnapshots(const std::filesystem::path& backupFolder, std::string_view identity,
                                                  const CivilTime& now, const std::filesystem::path& keep = {},
                                                  std::vector<std::filesystem::path>* setAside = nullptr);
