// The Find dialog: words typed, the days whose entry holds them listed newest first.
#pragma once

#include <windows.h>

#include <optional>

#include <string>

#include "diarycore/calendar.h"
#include "diarycore/diary_search.h"

// Searches the records of the diary folder, with `pageOnShow` in place of its day's stored
// one (typing not yet saved is found too). The day opened from the list (Enter or a
// double click), or nothing when the dialog was closed. Changing to it is the caller's.
std::optional<DayKey> RunFindDialog(HWND owner, HINSTANCE instance, const std::u16string& folder,
                                    std::optional<DiaryEntry> pageOnShow);
