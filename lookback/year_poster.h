// A year's drawings on one poster: a cell for every day of the year in date order, row
// by row, each the day's drawing at its own size or white for a day without one, on a
// grey ground that leaves a thin gap around every cell. The console's mosaic command
// codes it as one JPEG.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "diarycore/pages_in_folder.h"

inline constexpr int kPosterGap = 4;                 // pixels between cells and around them
inline constexpr int kPosterColumns = 20;            // 19 rows for a year: a landscape poster
inline constexpr int kMaxPosterColumns = 240;        // a JPEG is at most 65,535 pixels wide
inline constexpr std::uint8_t kPosterGround = 0xC8;  // the gaps' grey

struct PosterLayout {
    int columns = 0;
    int rows = 0;
    int width = 0;  // pixels
    int height = 0;
    // The top left corner of cell n (0 is the first day).
    int CellX(int n) const;
    int CellY(int n) const;
};

// `cells` cells in rows of `columns` (1 to kMaxPosterColumns).
PosterLayout LayOutPoster(int cells, int columns);

struct YearPoster {
    PosterLayout layout;
    std::vector<std::uint8_t> red, green, blue;     // width x height each, row 0 at the top
    int drawings = 0;                               // days whose drawing is on it
    std::vector<std::filesystem::path> unreadable;  // pictures there that could not be read, left white
};

// Every day of `year` that the index has a picture of is read, one at a time.
YearPoster MakeYearPoster(const std::filesystem::path& folder, const DayFileIndex& index, std::int32_t year,
                          int columns);
