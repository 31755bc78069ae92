// The shell's folder browser, for the folders the user chooses (backups, the diary).
#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>

// The folder chosen, or nothing when the user cancelled. `start`, when there, is selected
// first; the box under the tree takes a typed path too.
std::optional<std::filesystem::path> BrowseForFolder(HWND owner, const std::u16string& title,
                                                     const std::filesystem::path& start = {});
