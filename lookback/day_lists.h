// The lists of days the Month and "On this day" views show, each day at a glance.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "diarycore/calendar.h"
#include "lookback/day_glance.h"

// The days of a month that have a page, in date order.
std::vector<DayGlance> ReadMonthPages(const std::filesystem::path& folder, const DayFileIndex& index, std::int32_t year,
                                      std::int32_t month);

// The same date in every earlier year that has a page of it, newest first. 29 February
// has one only in leap years.
std::vector<DayGlance> ReadSameDayInEarlierYears(const std::filesystem::path& folder, const DayFileIndex& index,
                                                 const DayKey& day);
