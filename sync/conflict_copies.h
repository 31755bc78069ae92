// Taking a sync tool's conflict copy of a day file into the day: the day as it is here is
// "ours", the day with the copy in place of its file is "theirs", and the base is the
// newest backup snapshot of the diary that holds the day in neither side's version (the
// version both started from), or none, when the two are put together without one. The
// merged page is written through the safe writer, what it replaced of the day set aside
// first (kept_versions.h), and the copy is then moved into ".doodlebinder\merged\", never
// deleted: it is the other side's whole file, kept.
#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "platform/file_read.h"
#include "platform/write_fault.h"
#include "sync/conflict_names.h"
#include "sync/kept_versions.h"
#include "sync/page_merge.h"

struct ConflictCopyFile {
    std::filesystem::path path;
    ConflictCopy copy;
};

// The conflict copies among the folder's regular files, by day, then name; `listed` false
// when the folder cannot be listed.
std::vector<ConflictCopyFile> ListConflictCopies(const std::filesystem::path& diary, bool& listed);

// `name` in `folder`, or "name (2).ext", "name (3).ext"... when it is taken.
std::filesystem::path UnusedNameIn(const std::filesystem::path& folder, const std::filesystem::path& name);

enum class TakeInStatus {
    Merged,
    Unreadable,    // the copy or the day's own file could not be read: `why` says why; nothing written
    NotMergeable,  // the copy or the day's file is no record or no picture of the page's own layout
    CannotWrite,   // the merged day could not be written (`fault`), or the copy not moved aside
};

struct TakeInResult {
    TakeInStatus status = TakeInStatus::Merged;
    ReadStatus why = ReadStatus::Ok;
    WriteFault fault = WriteFault::None;
    bool hadBase = false;  // a snapshot gave the version both started from
    PageMergeSummary summary;
    std::filesystem::path keptAs;  // where the copy went
};

// Merges the copy into its day, writes the day and moves the copy aside. `backupFolder`
// and `identity` name the snapshots a base is looked for in (none: no base).
TakeInResult TakeInConflictCopy(const std::filesystem::path& diary, const ConflictCopyFile& copy,
                                const std::optional<std::filesystem::path>& backupFolder, std::string_view identity);
