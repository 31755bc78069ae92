// A year of daily use of the backups, with real snapshots: a small diary changed before
// each of two snapshots a day (one in the afternoon, as the hourly one, and one at the
// close), each made and pruned as the program makes it, at the simulated time. Prints the
// most snapshots the backup folder held at once and how many it holds at the year's end.
//
//   backup-year WORK_FOLDER
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "backup/snapshot.h"
#include "backup/snapshot_names.h"
#include "bench/diary_folder.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: backup-year WORK_FOLDER\n");
        return 64;
    }
    const fs::path work(argv[1]), diary = work / "diary", backups = work / "backups";
    std::error_code error;
    fs::remove_all(backups, error);
    if (!MakeDiaryFolder(diary, {2026, 1, 1, WeekdayOfDate(2026, 1, 1)}, 10, DiaryPictures::Drawing)) {
        std::fprintf(stderr, "backup-year: cannot make the diary in %s\n", diary.string().c_str());
        return 1;
    }
    constexpr std::int64_t kFirstMorning = 1767258000;  // 2026-01-01 09:00 UTC
    constexpr std::int64_t kDay = 24 * 3600;
    std::size_t most = 0, held = 0;
    for (int day = 0; day < 365; ++day) {
        for (std::int64_t hour : {5, 13}) {
            std::ofstream(diary / "20260101.dbt", std::ios::binary)
                << "DN the day " << day << " at " << hour << " hours";
            const SnapshotResult made = MakeSnapshot(diary, backups, kFirstMorning + day * kDay + hour * 3600);
            if (made.status != SnapshotStatus::Ok) {
                std::fprintf(stderr, "backup-year: the snapshot of day %d failed\n", day);
                return 1;
            }
            held = ListSnapshots(backups).size();
            most = std::max(most, held);
        }
    }
    std::printf("%zu %zu\n", most, held);
    return 0;
}
