// The diary folder of this run, found from the command line, the program's folder and
// the user's own folders, and made where it is missing; and the rule that one diary runs
// once, while another may run beside it.
#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>

#include "app/diary_place.h"

// The main window's class, by which a later start finds a running diary.
inline constexpr wchar_t kMainWindowClassName[] = L"DOODLE_BINDER";

// The running program's path and its folder, however long; empty when Windows tells none.
std::u16string ReadProgramPath();
std::u16string ReadProgramFolder();

DiaryPlace FindStartDiary(const std::filesystem::path& programFolder,
                          const std::optional<std::filesystem::path>& named);

// Makes the folder when it is missing; a diary made in a new folder gets the sample
// template and its pictures from the program's folder. False when it cannot be made.
bool PrepareDiaryFolder(const std::filesystem::path& folder, const std::filesystem::path& programFolder);

// True when this process is the one that runs `folder`'s diary; false when another
// already runs it, which is then brought to the front.
bool TakeDiary(const std::filesystem::path& folder);
// Marks the main window as the one of `folder`'s diary, for TakeDiary of a later start.
void MarkDiaryWindow(HWND window, const std::filesystem::path& folder);
void UnmarkDiaryWindow(HWND window);
