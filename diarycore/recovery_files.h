// The recovery copy of the page on show: while it has unsaved changes, its picture and
// record are kept as "YYYYMMDD.bmp~" and "YYYYMMDD.dbt~", in the day files' own formats,
// in this computer's folder inside the program's own folder in the diary folder
// (".doodlebinder\<computer>"; earlier versions kept them in ".doodlebinder" itself, and
// before that beside the day files). A crash loses at most the last few seconds; the next
// start on this computer offers the page back, and a sync tool that carries the folder to
// another computer never has that one offer it. These names are never taken for a day's
// own files.
//
// The program's folder is small, so its names cost nothing to look up where a diary of
// decades makes every new name in the diary folder dear (under Wine, a read of the whole
// folder). The writer's temporary files for the diary's files are made in this
// computer's "tmp" there.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "diarycore/calendar.h"

// The program's folder in a diary folder, which every computer keeping the diary shares;
// this computer's folder in it (platform/computer_name.h); that one's folder for the
// writer's temporary files, and the one earlier versions used.
std::filesystem::path WorkFolder(std::u16string_view diary);
std::filesystem::path ComputerFolder(std::u16string_view diary);
std::filesystem::path TemporaryFolder(std::u16string_view diary);
std::filesystem::path EarlierTemporaryFolder(std::u16string_view diary);

// "20261206.dbt~" for extension "dbt".
std::u16string RecoveryFileName(const DayKey& day, std::u16string_view extension);
// That file in this computer's folder.
std::filesystem::path RecoveryFilePath(std::u16string_view diary, const DayKey& day, std::u16string_view extension);

// The day a recovery file stands for, as YYYYMMDD, or 0 when the name is no recovery file.
std::int32_t DayOfRecoveryFileName(const std::filesystem::path& name);

// Days with recovery files in the folder, newest first.
std::vector<std::int32_t> ListRecoveredDays(const std::filesystem::path& folder);
