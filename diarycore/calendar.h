// Calendar arithmetic for day keys and the names of a day's files.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// One diary day. The day of week (0 = Sunday ... 6 = Saturday) comes from the clock or
// the month calendar and is then carried through every step; NextDay and PreviousDay
// never work it out from the date, so a key whose weekday disagrees with its date keeps
// disagreeing. Only a date with no clock behind it (typed, or a file's name) gets its
// weekday from WeekdayOfDate.
struct DayKey {
    std::int32_t year = 0;
    std::int32_t month = 0;      // 1-12
    std::int32_t day = 0;        // 1-31
    std::int32_t dayOfWeek = 0;  // 0 = Sunday
};

// Gregorian month length. A month outside 1-12 gives the all-ones value, so that no
// day number ever counts as past the end of it.
std::uint32_t DaysInMonth(std::int32_t year, std::int32_t month);

// Days from 1 March of the year 0 in the proleptic Gregorian calendar, negative before
// it: one count for every year a day name can carry, 0000 to 9999. Years are divided
// rounding down, so January and February of the year 0, which count in the year -1,
// come out right. For real dates only.
std::int64_t DayNumber(std::int32_t year, std::int32_t month, std::int32_t day);

// The day of week of a real date, 0 = Sunday.
std::int32_t WeekdayOfDate(std::int32_t year, std::int32_t month, std::int32_t day);

// A day as the number its file names carry, YYYYMMDD (20000607), and back: the day of
// week of a number's key comes from WeekdayOfDate.
std::int32_t DayNumberOf(const DayKey& key);
DayKey DayKeyOfNumber(std::int32_t yyyymmdd);

// "2000-06-07", the way the program names a day in its lists and messages.
std::u16string IsoDateText(const DayKey& key);

// dayOfWeek + step for a step of +1 or -1, wrapping -1 to 6 and 7 to 0.
std::int32_t StepWeekday(std::int32_t dayOfWeek, std::int32_t step);

// The name shown for a day of week: every weekday shows as one blank, and
// "？" (U+FF1F) for a value outside 0-6.
std::u16string_view WeekdayName(std::int32_t dayOfWeek);

void NextDay(DayKey& key);
void PreviousDay(DayKey& key);

// "%04d%02d%02d." + extension, e.g. "20000607.bmp"; the day of week plays no part.
std::u16string DayFileName(const DayKey& key, std::u16string_view extension);

// The same name inside a folder: folder + "\" + name. The folder carries no trailing
// backslash and may be empty (the program runs from the root folder).
std::u16string DayFilePath(std::u16string_view folder, const DayKey& key, std::u16string_view extension);

// The record ("dbt") and picture ("bmp") names of one day, both bare or both in a folder.
struct DayFilePair {
    std::u16string record;
    std::u16string picture;
};
DayFilePair DayFileNames(const DayKey& key);
DayFilePair DayFileNames(std::u16string_view folder, const DayKey& key);
