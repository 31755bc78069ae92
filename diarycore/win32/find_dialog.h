// The Find dialog: words typed, the days whose entry holds them listed newest first.
#pragma once

#include <windows.h>

#include <optional>

#include <string>
#include <vector>

#include "diarycore/calendar.h"
#include "diarycore/diary_search.h"

// What Find searches: the diary folder, the names of its files where the caller keeps a
// listing (else the folder is listed), and the page on show in place of its day's stored
// record (typing not yet saved is found too).
struct FindSource {
    std::u16string folder;
    std::optional<std::vector<std::u16string>> names;
    std::optional<DiaryEntry> pageOnShow;
};

// The day opened from the list (Enter or a double click), or nothing when the dialog was
// closed. Changing to it is the caller's.
std::optional<DayKey> RunFindDialog(HWND owner, HINSTANCE instance, FindSource source);
