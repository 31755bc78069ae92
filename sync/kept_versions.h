// The versions of a day that a merge or a restore replaced, kept in the program's folder
// for them, ".doodlebinder\merged\", so that every one can be brought back: the other side's
// picture where both coloured a pixel, a sync tool's conflict copy once it was taken in,
// and the unsaved page a restore put an earlier version over. The files of one version
// share a name but for the extension ("20261207.kept-20261208-101500.dbt" and ".bmp");
// a conflict copy is a version with its one file.
#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "backup/day_versions.h"
#include "backup/dos_time.h"
#include "platform/write_fault.h"
#include "sync/day_files.h"

// Where versions are set aside and the conflict copies taken in are kept.
std::filesystem::path MergedCopiesFolder(const std::filesystem::path& diary);

struct KeptVersion {
    std::filesystem::path record;   // empty when the version has no record of its own
    std::filesystem::path picture;  // the same for the picture
    CivilTime time;                 // when it was kept: the newer file's time, on the local clock
};

// The day's kept versions, newest first.
std::vector<KeptVersion> ListKeptVersions(const std::filesystem::path& diary, const DayKey& day);

// The version's files, read as a snapshot's are: a part the version has no file for is
// one it does not know, and is marked left out (the page keeps its own).
DayFilesInSnapshot ReadKeptVersion(const KeptVersion& version);

// Keeps a version of the day: each of its files that is there, under one new name.
// Where it went (the record's or the picture's path), or empty when it could not be
// written (`fault`); nothing is kept then.
std::filesystem::path KeepDayVersion(const std::filesystem::path& diary, const DayKey& day, const DayFileBytes& files,
                                     std::int64_t unixSeconds, WriteFault* fault = nullptr);
