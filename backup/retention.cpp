#include "retention.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <set>

#include "diarycore/calendar.h"

namespace {

std::int64_t DayOf(const CivilTime& t) { return DayNumber(t.year, t.month, t.day); }
std::int64_t MonthOf(const CivilTime& t) { return static_cast<std::int64_t>(t.year) * 12 + t.month - 1; }

}  // namespace

// The week is numbered by its Monday.
RetentionPeriod PeriodOfSnapshot(const CivilTime& time, const CivilTime& now) {
    const std::int64_t ageInDays = DayOf(now) - DayOf(time);
    if (ageInDays < kDailyDays) return {0, DayOf(time)};
    if (ageInDays < kWeeklyWeeks * 7)
        return {1, DayOf(time) - (WeekdayOfDate(time.year, time.month, time.day) + 6) % 7};
    if (MonthOf(now) - MonthOf(time) < kMonthlyMonths) return {2, MonthOf(time)};
    return {3, time.year};
}

std::vector<bool> SnapshotsToKeep(std::span<const CivilTime> times, const CivilTime& now) {
    std::vector<std::size_t> newestFirst(times.size());
    std::iota(newestFirst.begin(), newestFirst.end(), 0);
    std::stable_sort(newestFirst.begin(), newestFirst.end(),
                     [&](std::size_t a, std::size_t b) { return times[a] > times[b]; });

    std::vector<bool> keep(times.size(), false);
    int newest = 0;
    for (std::size_t index : newestFirst) {
        if (times[index] > now) {
            keep[index] = true;
        } else if (newest < kNewestKept) {
            keep[index] = true;
            ++newest;
        }
    }
    // Oldest first, so that the first snapshot met in a period is the one it keeps.
    std::set<RetentionPeriod> periodsKept;
    for (auto it = newestFirst.rbegin(); it != newestFirst.rend(); ++it) {
        if (times[*it] > now) continue;
        if (periodsKept.insert(PeriodOfSnapshot(times[*it], now)).second) keep[*it] = true;
    }
    return keep;
}
