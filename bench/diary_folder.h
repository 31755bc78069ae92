// Diary folders for the measurements: a run of days of pages, each a small real record
// and a picture, the pictures all links to one bitmap, so that a hundred years is made
// in seconds and takes the room of one picture.
#pragma once

#include <filesystem>

#include "diarycore/calendar.h"

// What the days' pictures are: none, a drawing of the diary's own kind (a 4-bit BMP of
// the page's size, stored as the last day's picture), or a bitmap given by the caller.
// Every day's picture is a hard link to that one file.
enum class DiaryPictures { None, Drawing, Given };

// `days` days of pages ending on `lastDay`, each record with a few lines of Japanese
// text and its own weather, mood and place, as a diary written every day. Made once: a
// folder that already holds the last day's record is kept as it is.
bool MakeDiaryFolder(const std::filesystem::path& folder, const DayKey& lastDay, int days, DiaryPictures pictures,
                     const std::filesystem::path& given = {});
