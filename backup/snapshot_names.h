// The names of the program's snapshots: "doodlebinder-YYYYMMDD-HHMMSS.zip", the local
// time it was made. Only files of this pattern are ever pruned; any other zip in the
// backup folder is the user's and is left alone.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "backup/dos_time.h"

std::u16string SnapshotName(const CivilTime& time);
// The time a snapshot was made as the program's dialogs show it: "YYYY-MM-DD HH:MM".
std::u16string SnapshotTimeText(const CivilTime& time);
// The time a snapshot's name gives; nothing for any other name, or for a date or time
// the clock never shows. Letters in any case, as Windows finds names.
std::optional<CivilTime> TimeOfSnapshotName(std::u16string_view name);

// A file's name, each character of the system's name as one character: enough to match
// the pattern's ASCII, whatever else the name holds.
std::u16string NameInFolder(const std::filesystem::path& path);

// A file's name in UTF-8, as a zip entry and the console name it (on POSIX systems the
// bytes the system holds, UTF-8 or not).
std::string NameInUtf8(const std::filesystem::path& path);

struct SnapshotFile {
    std::filesystem::path path;
    CivilTime time;
};
// The folder's regular files of the pattern, newest first; none when it cannot be listed.
std::vector<SnapshotFile> ListSnapshots(const std::filesystem::path& folder);
