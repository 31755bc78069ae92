// Reading a day's record file: the one reader the page, the search and the export share.
// A record that is there but cannot be read is told apart from a day without one, so it
// is never shown, or overwritten, as an empty page.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "diarycore/record.h"
#include "file_read.h"

enum class RecordFileStatus {
    Ok,          // read; record holds it
    Missing,     // the day has no record
    Unreadable,  // the file is there but could not be read; readStatus says why
    Damaged,     // read, but it is no day record (no "DN" magic)
};

struct RecordFile {
    RecordFileStatus status = RecordFileStatus::Missing;
    ReadStatus readStatus = ReadStatus::Missing;
    DayRecord record;  // the empty page unless status is Ok
};

RecordFile ReadRecordFile(const std::filesystem::path& path);
// The same for a file read already: how the read went, and the bytes it gave.
RecordFile RecordFileOf(ReadStatus readStatus, const std::vector<std::uint8_t>& bytes);
