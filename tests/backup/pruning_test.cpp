// What pruning may take and what it must leave: the snapshot just made whatever the other
// names' dates, a good snapshot beside a damaged one of its period, another diary's
// snapshots in a shared folder, and the last good state when the diary folder is empty.
#include <gtest/gtest.h>

#include "backup/backup_folder.h"
#include "backup/day_versions.h"
#include "backup/diary_identity.h"
#include "backup/snapshot.h"
#include "backup/snapshot_names.h"
#include "support/scratch_files.h"

namespace fs = std::filesystem;

namespace {

using Names = std::vector<std::string>;

constexpr std::int64_t kDay = 24 * 3600;
// 2026-12-07 12:00 UTC.
constexpr std::int64_t kNow = 1796644800;

void WriteDay(const fs::path& diary, const std::string& text) {
    WriteFileText(diary / "20261201.dbt", "DN " + text);
    WriteFileBytes(diary / "20261201.bmp", Bytes(4000, static_cast<std::uint8_t>(text.size())));
}

std::string NameOf(const SnapshotResult& made) { return made.snapshot.filename().string(); }

bool Holds(const fs::path& folder, const std::string& name) { return fs::exists(folder / name); }

// The snapshot's bytes with one byte of its first entry's data changed: it still opens,
// and fails only when its entries are read.
void FlipAByteInside(const fs::path& snapshot) {
    Bytes bytes = ReadFileBytes(snapshot);
    bytes[60] ^= 0x41;
    WriteFileBytes(snapshot, bytes);
}

}  // namespace

// A clock set ahead once, or a backup folder from a computer in a later time zone: ten
// snapshots dated a year on. Each one made now is kept all the same, and so are they.
TEST(Pruning, SnapshotsDatedAheadNeverPushOutTheOneJustMade) {
    ScratchFolder diary, backups;
    WriteDay(diary.Path(), "first");
    const SnapshotResult first = MakeSnapshot(diary.Path(), backups.Path(), kNow);
    ASSERT_EQ(first.status, SnapshotStatus::Ok);
    Names ahead;
    for (int i = 0; i < 10; ++i) {
        const std::u16string name = SnapshotName(LocalTimeOf(kNow + 365 * kDay + i * 3600));
        fs::copy_file(first.snapshot, backups / name);
        ahead.push_back(fs::path(name).string());
    }
    for (int hour = 1; hour <= 3; ++hour) {
        WriteDay(diary.Path(), "hour " + std::to_string(hour));
        const SnapshotResult made = MakeSnapshot(diary.Path(), backups.Path(), kNow + hour * 3600);
        ASSERT_EQ(made.status, SnapshotStatus::Ok);
        EXPECT_TRUE(Holds(backups.Path(), NameOf(made))) << "hour " << hour;
        EXPECT_TRUE(made.pruned.empty()) << "hour " << hour;
    }
    for (const std::string& name : ahead) EXPECT_TRUE(Holds(backups.Path(), name)) << name;
    EXPECT_EQ(NamesIn(backups.Path()).size(), 14u);
}

// The oldest snapshot of August stands for the month. Damaged, it must not keep the month
// for a good one: cut short it counts for nothing, and with a changed byte inside it is
// found out before the good one would go, and renamed aside.
TEST(Pruning, ADamagedSnapshotNeverKeepsAPeriodForAGoodOne) {
    for (const bool truncated : {true, false}) {
        SCOPED_TRACE(truncated ? "cut short" : "a byte changed");
        ScratchFolder diary, backups;
        // 2026-08-01 and 2026-08-15: four months back, a month's period.
        const std::int64_t august1 = kNow - 128 * kDay, august15 = kNow - 114 * kDay;
        WriteDay(diary.Path(), "august first");
        const SnapshotResult damaged = MakeSnapshot(diary.Path(), backups.Path(), august1);
        WriteDay(diary.Path(), "august fifteenth");
        const SnapshotResult good = MakeSnapshot(diary.Path(), backups.Path(), august15);
        ASSERT_EQ(damaged.status, SnapshotStatus::Ok);
        ASSERT_EQ(good.status, SnapshotStatus::Ok);
        if (truncated) {
            const Bytes bytes = ReadFileBytes(damaged.snapshot);
            WriteFileBytes(damaged.snapshot,
                           Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(bytes.size() / 2)));
        } else {
            FlipAByteInside(damaged.snapshot);
        }
        SnapshotResult last;
        for (int i = 0; i < 10; ++i) {
            WriteDay(diary.Path(), "today " + std::to_string(i));
            last = MakeSnapshot(diary.Path(), backups.Path(), kNow + i * 60);
            ASSERT_EQ(last.status, SnapshotStatus::Ok);
        }
        EXPECT_TRUE(Holds(backups.Path(), NameOf(good))) << "the good one of August is kept";
        const fs::path aside = backups / (damaged.snapshot.stem().string() + "-damaged.zip");
        if (truncated) {
            EXPECT_TRUE(Holds(backups.Path(), NameOf(damaged))) << "left as it is, counted for nothing";
        } else {
            EXPECT_FALSE(Holds(backups.Path(), NameOf(damaged)));
            EXPECT_TRUE(fs::exists(aside)) << "renamed aside, never removed";
        }
        // Earlier versions reach August through the good one.
        const DayVersionList versions =
            ListDayVersions(backups.Path(), *KnownDiaryIdentity(diary.Path()), {2026, 12, 1, 2});
        ASSERT_FALSE(versions.versions.empty());
        EXPECT_EQ(versions.versions.back().snapshot, good.snapshot);
        EXPECT_EQ(versions.damaged, truncated ? std::vector<fs::path>{damaged.snapshot} : std::vector<fs::path>{});
    }
}

// "D:\Diary" and "E:\Diary" backed up into one folder: each prunes and offers only its
// own snapshots, and each has a default folder of its own.
TEST(Pruning, TwoDiariesOfOneNameInOneFolderStayApart) {
    ScratchFolder d, e, backups;
    const fs::path diaryD = d / "Diary", diaryE = e / "Diary";
    fs::create_directories(diaryD);
    fs::create_directories(diaryE);
    WriteDay(diaryD, "written on D");
    WriteDay(diaryE, "written on E");
    // E's one snapshot, a week ago, then D's every hour today: were they one diary's, E's
    // would go as the oldest of its day.
    const SnapshotResult ofE = MakeSnapshot(diaryE, backups.Path(), kNow - 7 * kDay);
    const SnapshotResult ofEAgain = MakeSnapshot(diaryE, backups.Path(), kNow - 7 * kDay + 60);
    ASSERT_EQ(ofE.status, SnapshotStatus::Ok);
    for (int hour = 0; hour < 14; ++hour) {
        WriteDay(diaryD, "D at " + std::to_string(hour));
        const SnapshotResult made = MakeSnapshot(diaryD, backups.Path(), kNow + hour * 600);
        ASSERT_EQ(made.status, SnapshotStatus::Ok);
        EXPECT_TRUE(made.identity == IdentityStatus::Ok);
    }
    EXPECT_TRUE(Holds(backups.Path(), NameOf(ofE)));
    EXPECT_TRUE(Holds(backups.Path(), NameOf(ofEAgain)));

    const std::optional<std::string> idD = KnownDiaryIdentity(diaryD), idE = KnownDiaryIdentity(diaryE);
    ASSERT_TRUE(idD && idE);
    EXPECT_NE(*idD, *idE);
    const DayVersionList versionsOfE = ListDayVersions(backups.Path(), *idE, {2026, 12, 1, 2});
    ASSERT_EQ(versionsOfE.versions.size(), 2u);
    EXPECT_EQ(versionsOfE.versions[0].snapshot, ofEAgain.snapshot);
    EXPECT_EQ(ListDayVersions(backups.Path(), *idD, {2026, 12, 1, 2}).versions.size(), 11u)
        << "the ten newest and the day's first";
    EXPECT_NE(DefaultBackupFolder("/local", diaryD, *idD), DefaultBackupFolder("/local", diaryE, *idE));

    // The identity travels with the folder, and with a snapshot unzipped into a new one.
    ScratchFolder restored;
    ZipArchive archive;
    ASSERT_EQ(archive.Open(ofE.snapshot), ZipReadStatus::Ok);
    for (const ZipEntry& entry : archive.Entries()) {
        Bytes bytes;
        ASSERT_EQ(archive.Read(entry, bytes), ZipReadStatus::Ok);
        WriteFileBytes(restored / entry.name, bytes);
    }
    EXPECT_EQ(KnownDiaryIdentity(restored.Path()), idE);
}

// A stick not plugged in leaves its mount point empty: a nightly snapshot of it must not
// age out the last good state. Asked for on purpose, it is made.
TEST(Pruning, AnEmptyDiaryFolderIsNotSnapshottedOverOneWithDays) {
    ScratchFolder diary, backups;
    WriteDay(diary.Path(), "the pages");
    for (int i = 0; i < 12; ++i)
        ASSERT_EQ(MakeSnapshot(diary.Path(), backups.Path(), kNow - 30 * kDay + i * 60).status, SnapshotStatus::Ok);
    const Names before = NamesIn(backups.Path());
    ScratchFolder empty;
    const SnapshotResult refused = MakeSnapshot(empty.Path(), backups.Path(), kNow);
    EXPECT_EQ(refused.status, SnapshotStatus::EmptyDiary);
    EXPECT_EQ(NamesIn(backups.Path()), before);
    EXPECT_EQ(NamesIn(empty.Path()), Names{}) << "nothing written into the empty folder, no settings either";
    // The diary folder itself emptied, its settings file still there: the same.
    fs::remove(diary / "20261201.dbt");
    fs::remove(diary / "20261201.bmp");
    EXPECT_EQ(MakeSnapshot(diary.Path(), backups.Path(), kNow).status, SnapshotStatus::EmptyDiary);
    EXPECT_EQ(NamesIn(backups.Path()), before);

    const SnapshotResult asked = MakeSnapshot(diary.Path(), backups.Path(), kNow, {}, {true});
    EXPECT_EQ(asked.status, SnapshotStatus::Ok);
    // A new diary with no snapshot yet is backed up as it is.
    ScratchFolder fresh, freshBackups;
    EXPECT_EQ(MakeSnapshot(fresh.Path(), freshBackups.Path(), kNow).status, SnapshotStatus::Ok);
}

// A settings file that cannot be read gives the diary no identity: the snapshot is made,
// the file is not written over, and nothing is pruned, since whose snapshots are whose
// cannot be told.
TEST(Pruning, WithoutTheDiarysIdentityNothingIsPruned) {
    ScratchFolder diary, backups;
    WriteDay(diary.Path(), "pages");
    for (int i = 0; i < 11; ++i)
        ASSERT_EQ(MakeSnapshot(diary.Path(), backups.Path(), kNow - 40 * kDay + i * 60).status, SnapshotStatus::Ok);
    fs::remove(diary / "doodlebinder.ini");
    fs::create_directory(diary / "doodlebinder.ini");  // there, and no file to read
    const SnapshotResult made = MakeSnapshot(diary.Path(), backups.Path(), kNow);
    EXPECT_EQ(made.status, SnapshotStatus::Ok);
    EXPECT_EQ(made.identity, IdentityStatus::Unreadable);
    EXPECT_TRUE(made.pruned.empty());
    EXPECT_EQ(NamesIn(backups.Path()).size(), 12u);
    EXPECT_TRUE(fs::is_directory(diary / "doodlebinder.ini"));
}
