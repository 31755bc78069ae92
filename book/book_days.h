// The days a book holds: every day of a run that has a page, its record and where its
// picture is. A day whose record or picture is there but cannot be read is left out of
// the book and its file named, so a book never shows a damaged day as an empty one.
#pragma once

#include <filesystem>
#include <vector>

#include "diarycore/calendar.h"
#include "diarycore/record.h"

class DayFileIndex;

struct BookDay {
    DayKey key;
    bool hasRecord = false;
    DayRecord record;               // the empty page without one
    std::filesystem::path picture;  // a drawing ReadDayDrawing takes; empty without one
};

struct BookDays {
    std::vector<BookDay> days;                      // in date order
    std::vector<std::filesystem::path> unreadable;  // the files of the days left out
    int unreadableDays = 0;
};

// The days from `first` to `last`, both included, that the folder's index has files of.
BookDays ReadBookDays(const std::filesystem::path& folder, const DayFileIndex& index, const DayKey& first,
                      const DayKey& last);
