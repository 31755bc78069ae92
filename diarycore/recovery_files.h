// The recovery copy of the page on show: while it has unsaved changes, its picture and
// record are kept beside the day files as "YYYYMMDD.bmp~" and "YYYYMMDD.dbt~", in the
// day files' own formats. A crash loses at most the last few seconds; the next start
// offers the page back. These names are never taken for a day's own files.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "diarycore/calendar.h"

// "20261206.dbt~" for extension "dbt".
std::u16string RecoveryFileName(const DayKey& day, std::u16string_view extension);
// That file in the diary folder.
std::filesystem::path RecoveryFilePath(std::u16string_view folder, const DayKey& day, std::u16string_view extension);

// The day a recovery file stands for, as YYYYMMDD, or 0 when the name is no recovery file.
std::int32_t DayOfRecoveryFileName(const std::filesystem::path& name);

// Days with recovery files in the folder, newest first.
std::vector<std::int32_t> ListRecoveredDays(const std::filesystem::path& folder);
