// Where the snapshots go: the folder the user chose, kept in the diary folder's settings
// file, or else one on the computer's own disk named after the diary folder and its
// identity, so that a diary carried on a stick is backed up to the computer it is used
// on, and two diaries of one folder name ("D:\Diary", "E:\Diary") each have their own.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "diarycore/settings.h"

// The folder the user chose; nothing when none is kept (or its line is empty).
std::optional<std::filesystem::path> ChosenBackupFolder(const Settings& settings);
void KeepBackupFolder(Settings& settings, const std::filesystem::path& folder);

// The folder when none is chosen: <local application data>\Doodlebinder\Backups\<the
// diary folder's name>-<the first 8 digits of its identity>. A diary whose identity
// cannot be kept has 8 digits of its folder's full path instead.
std::filesystem::path DefaultBackupFolder(const std::filesystem::path& localAppData, const std::filesystem::path& diary,
                                          std::string_view identity);
