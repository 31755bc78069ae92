// The rule of ages over simulated dates: which snapshots stay, and how many a year of
// daily use leaves.
#include <gtest/gtest.h>

#include <algorithm>

#include "backup/retention.h"
#include "diarycore/calendar.h"

namespace {

CivilTime At(int y, int m, int d, int h = 12) { return {y, m, d, h, 0, 0}; }

CivilTime DayAfter(CivilTime t, int days) {
    DayKey key{t.year, t.month, t.day, 0};
    for (int i = 0; i < days; ++i) NextDay(key);
    return {key.year, key.month, key.day, t.hour, t.minute, t.second};
}

std::vector<CivilTime> Kept(const std::vector<CivilTime>& times, const CivilTime& now) {
    const std::vector<bool> keep = SnapshotsToKeep(times, now);
    std::vector<CivilTime> kept;
    for (std::size_t i = 0; i < times.size(); ++i)
        if (keep[i]) kept.push_back(times[i]);
    return kept;
}

}  // namespace

TEST(Retention, KeepsTheNewestThenOnePerDayWeekMonthAndYear) {
    const CivilTime now = At(2026, 12, 7, 20);
    struct Case {
        const char* what;
        std::vector<CivilTime> times;
        std::vector<CivilTime> kept;  // in the order given
    };
    std::vector<CivilTime> today;
    for (int h = 0; h < 12; ++h) today.push_back(At(2026, 12, 7, h));
    std::vector<CivilTime> todayKept(today.begin() + 2, today.end());
    todayKept.insert(todayKept.begin(), today[0]);  // the day's first stands for the day
    const Case cases[] = {
        {"none", {}, {}},
        {"twelve today: the ten newest and the day's first", today, todayKept},
        {"two on a day last week: its first",
         {At(2026, 12, 1, 9), At(2026, 12, 1, 18)},
         {At(2026, 12, 1, 9), At(2026, 12, 1, 18)}},
        {"within the ten newest, every one stays whatever its age",
         {At(2001, 5, 5), At(2001, 5, 6), At(2020, 1, 1)},
         {At(2001, 5, 5), At(2001, 5, 6), At(2020, 1, 1)}},
    };
    for (const Case& c : cases) EXPECT_EQ(Kept(c.times, now), c.kept) << c.what;

    // Beyond the ten newest: ten fillers today push the older ones out of that rule.
    std::vector<CivilTime> older = {
        At(2026, 11, 30, 8), At(2026, 11, 30, 9),  // 7 days: one per day
        At(2026, 11, 16, 8), At(2026, 11, 18, 8),  // 3 weeks back, Monday and Wednesday: one week
        At(2026, 9, 1),      At(2026, 9, 20),      // a month within the year
        At(2025, 6, 1),      At(2025, 7, 1),       // more than twelve months: one for 2025
        At(2019, 3, 3),                            // alone in its year
        At(2026, 12, 8),                           // dated ahead: kept outside the rule
    };
    std::vector<CivilTime> times(today.begin(), today.begin() + 10);
    times.insert(times.end(), older.begin(), older.end());
    const std::vector<CivilTime> kept = Kept(times, now);
    for (const CivilTime& t :
         {At(2026, 11, 30, 8), At(2026, 11, 16, 8), At(2026, 9, 1), At(2025, 6, 1), At(2019, 3, 3)})
        EXPECT_NE(std::find(kept.begin(), kept.end(), t), kept.end()) << t.year << "-" << t.month << "-" << t.day;
    for (const CivilTime& t : {At(2026, 11, 30, 9), At(2026, 11, 18, 8), At(2026, 9, 20), At(2025, 7, 1)})
        EXPECT_EQ(std::find(kept.begin(), kept.end(), t), kept.end()) << t.year << "-" << t.month << "-" << t.day;
    EXPECT_EQ(std::count(kept.begin(), kept.end(), At(2026, 12, 8)), 1);
    EXPECT_EQ(std::count(kept.begin(), kept.end(), today[9]), 1) << "the newest of now stays beside one dated ahead";

    // Ten dated a year ahead take none of the ten places of the newest: the ten of today
    // stay beside them, and the oldest of today stands for the day.
    std::vector<CivilTime> ahead;
    for (int h = 0; h < 10; ++h) ahead.push_back(At(2027, 12, 7, h));
    ahead.insert(ahead.end(), today.begin(), today.end());
    std::vector<CivilTime> aheadKept(ahead.begin(), ahead.begin() + 10);
    aheadKept.insert(aheadKept.end(), todayKept.begin(), todayKept.end());
    EXPECT_EQ(Kept(ahead, now), aheadKept);
}

// Three snapshots a day for a year, pruned after each as the program does: the folder
// never holds more than 45, and still reaches back to the first day.
TEST(Retention, AYearOfDailyUseStaysSmall) {
    std::vector<CivilTime> folder;
    std::size_t most = 0;
    const CivilTime first = At(2026, 1, 1, 9);
    for (int day = 0; day < 365; ++day) {
        for (int hour : {9, 13, 22}) {
            CivilTime now = DayAfter(first, day);
            now.hour = hour;
            folder.push_back(now);
            folder = Kept(folder, now);
            most = std::max(most, folder.size());
        }
    }
    EXPECT_LE(most, 45u);
    EXPECT_EQ(folder.front(), first) << "the oldest snapshot is the one kept for its year";
    EXPECT_GE(folder.size(), 35u);
}
