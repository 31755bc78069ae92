// A day's two files as bytes, the way a page remembers what it loaded and finds what is on
// disk now, and the page they make for a merge (page_merge.h).
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "platform/file_read.h"
#include "sync/page_merge.h"

// Each absent when the day has no such file.
struct DayFileBytes {
    std::optional<std::vector<std::uint8_t>> record;
    std::optional<std::vector<std::uint8_t>> picture;

    bool operator==(const DayFileBytes&) const = default;
};

// Reads the day's files; a path not given is a file known not to be there. Ok, or why a
// file that is there could not be read (then `files` holds nothing certain).
ReadStatus ReadDayFileBytes(const std::optional<std::filesystem::path>& record,
                            const std::optional<std::filesystem::path>& picture, DayFileBytes& files);

// The page the bytes make; nothing when the record is not one or the picture is not in the
// page's own layout (such a file is kept whole, never merged).
std::optional<DayPage> DayPageOfFiles(const DayFileBytes& files);

// What a save with `merged` in place of `disk` writes: the record's bytes, the picture's
// file bytes (none for a blank picture: the day keeps no file for one).
DayFileBytes FilesOfDayPage(const DayPage& page);
