// A year of the diary at a glance: every day's mark in 12 rows of up to 31, as the Year
// view and the console's year command draw it, and the year's figures.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>

#include "diarycore/calendar.h"
#include "diarycore/pages_in_folder.h"
#include "lookback/day_glance.h"

struct YearOfPages {
    std::int32_t year = 0;
    std::array<DayMark, 12 * 31> days{};  // month m, day d at (m - 1) * 31 + d - 1; days a month lacks have no page
    int pages = 0;
    int unreadableDays = 0;  // days with a mark: a file there that could not be read

    const DayMark& At(std::int32_t month, std::int32_t day) const { return days[(month - 1) * 31 + day - 1]; }
};

// Reads the marks of the days the index has files of, and only those.
YearOfPages ReadYearOfPages(const std::filesystem::path& folder, const DayFileIndex& index, std::int32_t year);

// Puts a day's mark in place of the one read, keeping the counts: the page on show goes
// in as it is in memory, its unsaved changes included.
void PutDayMark(YearOfPages& year, std::int32_t month, std::int32_t day, const DayMark& mark);

// Pages this year, and the streaks: runs of consecutive days with a page, which run on
// across the turn of a year.
struct YearFigures {
    int pages = 0;
    // The run that is still going: in the year of `today`, the one ending today, or
    // yesterday while today has no page yet (so a run is not broken before the day is
    // over); in an earlier year, the one ending on its last day, counted up to that day.
    // A later year has none.
    int currentStreak = 0;
    // The longest run with a day in this year, counted whole: one from 28 December into
    // January counts all its days in both years.
    int longestStreak = 0;
    bool operator==(const YearFigures&) const = default;
};

YearFigures CountYearFigures(const DaysWithPages& days, std::int32_t year, const DayKey& today);
