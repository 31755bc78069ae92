// The earlier versions of one day: the snapshots of the backup folder that hold the
// day's record or picture, newest first, and the day's bytes read back from one of them,
// checked, for the program to put on the page as an unsaved change.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "backup/dos_time.h"
#include "backup/zip_reader.h"
#include "diarycore/calendar.h"

struct DayFilesInSnapshot {
    ZipReadStatus status = ZipReadStatus::Ok;
    std::optional<std::vector<std::uint8_t>> record;    // nothing when the snapshot has none
    std::optional<std::vector<std::uint8_t>> picture;
};

struct DayVersion {
    std::filesystem::path snapshot;
    CivilTime time;                            // the snapshot's, from its name
    std::optional<std::uint32_t> recordCrc;    // the day's files in it, as CRC-32s: equal
    std::optional<std::uint32_t> pictureCrc;   // values mean the same page
    DayFilesInSnapshot files;                  // their bytes, read and checked
};

struct DayVersionList {
    std::vector<DayVersion> versions;             // newest first
    std::vector<std::filesystem::path> damaged;   // snapshots that could not be read, skipped
};

// Every snapshot is opened and the day's entries read and checked, and kept with the
// version, so that a version listed can be restored as it was read.
DayVersionList ListDayVersions(const std::filesystem::path& backupFolder, const DayKey& day);

DayFilesInSnapshot ReadDayFromSnapshot(const std::filesystem::path& snapshot, const DayKey& day);

// The day's files as stored now, as CRC-32s (no snapshot, no time): what the versions are
// compared with. A file that is not there, or cannot be read, has none.
DayVersion StoredVersion(const std::filesystem::path& record, const std::filesystem::path& picture);
// The versions worth going back to, newest first: those in which the day differs from what
// is stored now and from the next older version. A day unchanged for months shows once,
// from the oldest snapshot that holds it so.
std::vector<DayVersion> VersionsThatDiffer(std::vector<DayVersion> newestFirst, const DayVersion& stored);
