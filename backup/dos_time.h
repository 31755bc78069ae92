// Times as a snapshot carries them: the local date and time on the clock, which names
// the snapshot and goes into each entry as the two 16-bit words of the zip format's
// MS-DOS time (two-second steps, years 1980 to 2107), beside the exact second in UTC.
#pragma once

#include <compare>
#include <cstdint>
#include <filesystem>

struct CivilTime {
    std::int32_t year = 1980;
    std::int32_t month = 1;  // 1-12
    std::int32_t day = 1;    // 1-31
    std::int32_t hour = 0;
    std::int32_t minute = 0;
    std::int32_t second = 0;
    auto operator<=>(const CivilTime&) const = default;
};

// Seconds since 1970-01-01 UTC.
std::int64_t UnixSecondsOf(std::filesystem::file_time_type time);
std::int64_t UnixSecondsNow();
// The time on the local clock at that moment.
CivilTime LocalTimeOf(std::int64_t unixSeconds);

// A time before 1980 is stored as 1980-01-01 00:00, one after 2107 as its last second:
// the format has no words for them, and the exact time travels beside it.
struct DosDateTime {
    std::uint16_t date = 0;
    std::uint16_t time = 0;
};
DosDateTime DosDateTimeOf(const CivilTime& time);
CivilTime CivilTimeOfDos(DosDateTime dos);
