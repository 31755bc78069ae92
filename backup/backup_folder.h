// Where the snapshots go: the folder the user chose, kept in the diary folder's settings
// file, or else one on the computer's own disk named after the diary folder, so that a
// diary carried on a stick is backed up to the computer it is used on.
#pragma once

#include <filesystem>
#include <optional>

#include "diarycore/settings.h"

// The folder the user chose; nothing when none is kept (or its line is empty).
std::optional<std::filesystem::path> ChosenBackupFolder(const Settings& settings);
void KeepBackupFolder(Settings& settings, const std::filesystem::path& folder);

// The folder when none is chosen: <local application data>\Doodlebinder\Backups\<the
// diary folder's name>.
std::filesystem::path DefaultBackupFolder(const std::filesystem::path& localAppData,
                                          const std::filesystem::path& diary);
