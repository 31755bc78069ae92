// Which snapshots are kept as they age: the 10 newest; then one a day for 14 days, one a
// week for 8 weeks, one a month for 12 months, and one a year for ever. Within each day,
// week, month or year the oldest snapshot stands for it: snapshots age into a period from
// its newer end, so the one kept there is never displaced by the next, and a year of
// daily use leaves 10 + 14 + 6 + 10 + 1 or so. A pure rule over times; the files are
// pruned elsewhere.
#pragma once

#include <compare>
#include <cstdint>
#include <span>
#include <vector>

#include "backup/dos_time.h"

constexpr int kNewestKept = 10;
constexpr int kDailyDays = 14;
constexpr int kWeeklyWeeks = 8;
constexpr int kMonthlyMonths = 12;

// One answer per time, in the order given: true to keep it. A time after `now` (a clock
// that was set ahead, or a backup folder from a computer in a later time zone) is kept
// outside the rule until its time comes: it never counts among the newest, so it never
// pushes out a snapshot made now.
std::vector<bool> SnapshotsToKeep(std::span<const CivilTime> times, const CivilTime& now);

// The day, week, month or year a snapshot of that time stands for as of `now`; the
// snapshots of one period compare equal, and the oldest of them is the one kept.
struct RetentionPeriod {
    int kind = 0;  // 0 a day, 1 a week, 2 a month, 3 a year
    std::int64_t number = 0;
    auto operator<=>(const RetentionPeriod&) const = default;
};
RetentionPeriod PeriodOfSnapshot(const CivilTime& time, const CivilTime& now);
