// Which days of the data folder hold a page, from the folder's listing alone: a day
// counts when its record ("YYYYMMDD.dbt") or its picture ("YYYYMMDD.bmp") is there.
// No file is opened, so a folder of many years is read in one pass of names.
#pragma once

#include <cstdint>
#include <filesystem>
#include <set>
#include <vector>

// Days as YYYYMMDD numbers, e.g. 20000229.
using DaysWithPages = std::set<std::int32_t>;

// The day a name stands for, or 0 when it is no day file: eight digits of a real date,
// a point and "dbt" or "bmp" in any case (Windows finds "20000101.BMP" as the picture).
std::int32_t DayOfPageFileName(const std::filesystem::path& name);

// One listing of the folder; only regular files count. A folder that cannot be listed
// gives no days.
DaysWithPages ListDaysWithPages(const std::filesystem::path& folder);

// One mask per month, starting with firstMonth of firstYear: bit d - 1 is set when
// day d of that month holds a page (the month calendar's bold days).
std::vector<std::uint32_t> MonthPageMasks(const DaysWithPages& days, std::int32_t firstYear, std::int32_t firstMonth,
                                          int monthCount);
