// The earlier versions of one day: the snapshots of one diary in the backup folder that
// hold the day's record or picture, newest first, and the day's bytes read back from one
// of them, checked, for the program to put on the page as an unsaved change. One
// snapshot's day is read at a time, and no more of an entry than a day file can be: a
// header that lies about its size costs nothing.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "backup/dos_time.h"
#include "diarycore/day_file_seal.h"
#include "backup/zip_reader.h"
#include "diarycore/calendar.h"

// A day record and a day picture are small (a page of text, a drawing of 264 x 160); an
// entry of a day's name larger than this is no page to put back.
inline constexpr std::uint64_t kLargestDayFile = std::uint64_t{16} << 20;

struct DayFilesInSnapshot {
    ZipReadStatus status = ZipReadStatus::Ok;
    std::optional<std::vector<std::uint8_t>> record;  // nothing when the snapshot has none
    std::optional<std::vector<std::uint8_t>> picture;
    // The snapshot could not read the day's file when it was made and left it out: the
    // day had one, which is not known, and is no blank.
    bool recordLeftOut = false;
    bool pictureLeftOut = false;
};

struct DayVersion {
    std::filesystem::path snapshot;
    CivilTime time;                           // the snapshot's, from its name
    std::optional<std::uint32_t> recordCrc;   // the day's files in it, as CRC-32s: equal
    std::optional<std::uint32_t> pictureCrc;  // values mean the same page
    bool incomplete = false;                  // the snapshot left out one of the day's files
};

struct DayVersionList {
    std::vector<DayVersion> versions;            // newest first
    std::vector<std::filesystem::path> damaged;  // snapshots that could not be read, skipped
};

// The diary's snapshots (see ListDiarySnapshots; an empty identity takes all), one at a
// time: each opened, and the day's entries checked in pieces without being kept. A
// locked diary's snapshots hold its days locked: with the seal it was opened with
// (day_file_seal.h), each is opened and its CRC-32 is the page's own; without one, a
// locked day's versions cannot be compared with what is stored.
DayVersionList ListDayVersions(const std::filesystem::path& backupFolder, std::string_view identity, const DayKey& day,
                               const DayFileSeal* seal = nullptr);

// The day's files of one snapshot, each read whole up to kLargestDayFile and checked; a
// locked one opened with the seal, and Damaged when it does not open (or there is none).
DayFilesInSnapshot ReadDayFromSnapshot(const std::filesystem::path& snapshot, const DayKey& day,
                                       const DayFileSeal* seal = nullptr);

// The day's files as stored now, as CRC-32s (no snapshot, no time): what the versions are
// compared with. A file that is not there, or cannot be read, has none.
DayVersion StoredVersion(const std::filesystem::path& record, const std::filesystem::path& picture);
// The versions worth going back to, newest first: those in which the day differs from what
// is stored now and from the next older version. A day unchanged for months shows once,
// from the oldest snapshot that holds it so.
std::vector<DayVersion> VersionsThatDiffer(std::vector<DayVersion> newestFirst, const DayVersion& stored);
