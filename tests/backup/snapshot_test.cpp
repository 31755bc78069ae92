// Snapshots of a small diary: what they hold and how they restore, where they are refused,
// what a failed check, a changing file, a full disk and a read-only folder leave, which
// old ones are pruned, and the versions of a day read back from them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cwctype>

#include "backup/backup_folder.h"
#include "backup/day_versions.h"
#include "backup/snapshot.h"
#include "backup/snapshot_names.h"
#include "lock/diary_conversion.h"
#include "support/scratch_files.h"

namespace fs = std::filesystem;

namespace {

using Names = std::vector<std::string>;

// 2026-12-06 21:30:00 UTC, and the hours after it.
constexpr std::int64_t kEvening = 1796592600;
constexpr std::int64_t kHour = 3600;

// A diary folder with the files a snapshot takes and the ones it leaves.
struct Diary {
    ScratchFolder folder;
    Names kept = {"20261205.bmp",     "20261205.dbt", "20261205.dbt.damaged", "20261206.DBT", "20261206.bmp.orig",
                  "doodlebinder.ini", "photo.JPG",    "template.html"};
    Diary() {
        Bytes picture(20000, 0x77);
        picture[1234] = 1;
        WriteFileBytes(folder / "20261205.bmp", picture);
        WriteFileText(folder / "20261205.dbt", "DN a page of the fifth");
        WriteFileText(folder / "20261206.DBT", "DN a page of the sixth");
        WriteFileText(folder / "photo.JPG", "\xFF\xD8 not much of a photo");
        WriteFileText(folder / "template.html", "<html><!for></html>");
        // The user's own files the page kept before it replaced them.
        WriteFileText(folder / "20261206.bmp.orig", "BM a photograph the page drew over");
        WriteFileText(folder / "20261205.dbt.damaged", "a record that failed its checks");
        WriteFileText(folder / "doodlebinder.ini", "zoom=2\r\ndiary_id=5e1f00c0ffee00000000000000000001\r\n");
        for (const char* other : {"doodlebinder.exe", "notes.txt", "20261206.dbt~", "photo.orig", "20261206.txt.orig"})
            WriteFileText(folder / other, "not the diary's pages");
        fs::create_directory(folder / ".doodlebinder");
        WriteFileText(folder / ".doodlebinder" / "20261206.dbt~", "a recovery copy");
        fs::create_directory(folder / "19990101.dbt");  // a folder of a day's name is no day file
        // A whole second, as a zip keeps it, a day and more ago.
        const auto written =
            std::chrono::floor<std::chrono::seconds>(fs::file_time_type::clock::now() - std::chrono::hours(30));
        for (const std::string& name : kept) fs::last_write_time(folder / name, written);
    }
    fs::path operator/(const std::string& name) const { return folder / name; }
};

// Writes every file but flips a byte of the first entry's deflated bytes.
struct CorruptingSteps : FileWriteSteps {
    std::uint64_t written = 0;
    bool WriteBytes(std::FILE* file, std::span<const std::uint8_t> bytes) override {
        Bytes copy(bytes.begin(), bytes.end());
        if (written < 55 && written + copy.size() > 55) copy[55 - written] ^= 0x5A;
        written += copy.size();
        return FileWriteSteps::WriteBytes(file, copy);
    }
};

}  // namespace

TEST(Snapshot, HoldsTheDiaryFilesAndRestoresWithUnzip) {
    Diary diary;
    ScratchFolder backups;
    const SnapshotResult made = MakeSnapshot(diary.folder.Path(), backups / "new folder", kEvening);
    ASSERT_EQ(made.status, SnapshotStatus::Ok);
    EXPECT_EQ(made.files, 8);
    EXPECT_EQ(TimeOfSnapshotName(made.snapshot.filename().u16string()), LocalTimeOf(kEvening));
    EXPECT_EQ(made.size, fs::file_size(made.snapshot));
    EXPECT_EQ(NamesIn(backups / "new folder"), Names{made.snapshot.filename().string()});
    ZipArchive archive;
    ASSERT_EQ(archive.Open(made.snapshot), ZipReadStatus::Ok);
    Names names;
    for (const ZipEntry& entry : archive.Entries()) names.push_back(entry.name);
    EXPECT_EQ(names, diary.kept);
#ifndef _WIN32
    // Unzipped into an empty folder, the diary's files come back as they were, times too.
    ScratchFolder restored;
    const std::string zip = "'" + made.snapshot.string() + "'";
    ASSERT_EQ(std::system(
                  ("unzip -tq " + zip + " >/dev/null && unzip -q " + zip + " -d " + restored.Path().string()).c_str()),
              0);
    EXPECT_EQ(NamesIn(restored.Path()), diary.kept);
    for (const std::string& name : diary.kept) {
        EXPECT_EQ(ReadFileBytes(restored / name), ReadFileBytes(diary / name)) << name;
        EXPECT_EQ(fs::last_write_time(restored / name), fs::last_write_time(diary / name)) << name;
    }
#endif
    // Nothing to keep until a file of the diary is changed, added or removed.
    EXPECT_FALSE(DiaryDiffersFromSnapshot(diary.folder.Path(), made.snapshot));
    const auto written = fs::last_write_time(diary / "20261205.dbt");
    fs::last_write_time(diary / "20261205.dbt", written + std::chrono::seconds(1));
    EXPECT_TRUE(DiaryDiffersFromSnapshot(diary.folder.Path(), made.snapshot)) << "a new time";
    fs::last_write_time(diary / "20261205.dbt", written);
    WriteFileText(diary / "20261207.dbt", "DN a new day");
    EXPECT_TRUE(DiaryDiffersFromSnapshot(diary.folder.Path(), made.snapshot)) << "a new day";
    fs::remove(diary / "20261207.dbt");
    fs::remove(diary / "photo.JPG");
    EXPECT_TRUE(DiaryDiffersFromSnapshot(diary.folder.Path(), made.snapshot)) << "a file gone";
}

// A locked diary is kept locked, with the key file that alone opens it: a snapshot is no
// "empty diary" after the lock, and unzipped elsewhere it opens with the password.
TEST(Snapshot, ALockedDiaryIsKeptLockedWithItsKeyFile) {
    Diary diary;
    ScratchFolder backups;
    ASSERT_EQ(MakeSnapshot(diary.folder.Path(), backups.Path(), kEvening).status, SnapshotStatus::Ok);
    const Names days = {"20261205.bmp", "20261205.dbt", "20261206.DBT"};
    std::vector<Bytes> pages;
    for (const std::string& name : days) pages.push_back(ReadFileBytes(diary / name));
    ConversionOptions quick;
    quick.passwordCost = quick.recoveryCost = {64, 1, 1};
    ASSERT_EQ(LockDiary(diary.folder.Path(), "pass word", quick).status, ConversionStatus::Ok);
    const SnapshotResult made = MakeSnapshot(diary.folder.Path(), backups.Path(), kEvening + kHour);
    ASSERT_EQ(made.status, SnapshotStatus::Ok);
    ZipArchive archive;
    ASSERT_EQ(archive.Open(made.snapshot), ZipReadStatus::Ok);
    Names names;
    for (const ZipEntry& entry : archive.Entries()) names.push_back(entry.name);
    for (const char* locked :
         {"20261205.bmp.locked", "20261205.dbt.locked", "20261206.DBT.locked", ".doodlebinder/diary.key"})
        EXPECT_NE(std::find(names.begin(), names.end(), locked), names.end()) << locked;
    EXPECT_EQ(std::find(names.begin(), names.end(), "20261205.dbt"), names.end());
    EXPECT_FALSE(DiaryDiffersFromSnapshot(diary.folder.Path(), made.snapshot));
#ifndef _WIN32
    ScratchFolder restored;
    const std::string zip = "'" + made.snapshot.string() + "'";
    ASSERT_EQ(std::system(("unzip -q " + zip + " -d " + restored.Path().string()).c_str()), 0);
    ASSERT_EQ(UnlockDiary(restored.Path(), "pass word").status, ConversionStatus::Ok);
    for (std::size_t i = 0; i < days.size(); ++i) EXPECT_EQ(ReadFileBytes(restored / days[i]), pages[i]) << days[i];
#endif
}

TEST(Snapshot, RefusesABackupFolderThatIsTheDiaryOrInsideIt) {
    Diary diary;
    const fs::path root = diary.folder.Path();
    for (const fs::path& inside : {root, root / "backups", root / "a" / ".." / "b" / "c", root / "." / ""}) {
        EXPECT_EQ(MakeSnapshot(root, inside, kEvening).status, SnapshotStatus::InsideDiary) << inside;
    }
    EXPECT_FALSE(fs::exists(root / "backups"));
    EXPECT_FALSE(IsSameOrInside(root.string() + "-backups", root)) << "a name that only starts like it";
#ifdef _WIN32
    std::wstring upper = root.wstring();
    for (wchar_t& c : upper) c = static_cast<wchar_t>(std::towupper(c));
    EXPECT_TRUE(IsSameOrInside(fs::path(upper) / L"backups", root)) << "names in another letter case";
    // Capitals beyond ASCII fold as the disk folds them.
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"Dagb\u00F3k", L"DAGB\u00D3K"},                                                                // Dagbók
        {L"\u0434\u043D\u0435\u0432\u043D\u0438\u043A", L"\u0414\u041D\u0415\u0412\u041D\u0418\u041A"},  // дневник
        {L"\u03B4\u03AF\u03C3\u03BA\u03BF\u03C2", L"\u0394\u038A\u03A3\u039A\u039F\u03A3"},              // δίσκος
        {L"\u0142\u00F3d\u017A", L"\u0141\u00D3D\u0179"},                                                // łódź
    };
    for (const auto& [small, capitals] : cases)
        EXPECT_TRUE(IsSameOrInside(root / capitals / L"backups", root / small)) << capitals;
    EXPECT_FALSE(IsSameOrInside(root / L"\u0414\u041D\u0415\u0412\u041D\u0418\u041A",
                                root / L"\u0434\u043D\u0435\u0432\u043D\u0438"));
#else
    ScratchFolder elsewhere;
    fs::create_directory_symlink(root, elsewhere / "link");
    EXPECT_TRUE(IsSameOrInside(elsewhere / "link" / "backups", root)) << "through a link";
#endif
}

TEST(Snapshot, OneThatFailsItsCheckIsRemovedAndTheOlderKept) {
    Diary diary;
    ScratchFolder backups;
    const SnapshotResult older = MakeSnapshot(diary.folder.Path(), backups.Path(), kEvening);
    ASSERT_EQ(older.status, SnapshotStatus::Ok);
    CorruptingSteps corrupting;
    const SnapshotResult failed =
        MakeSnapshot(diary.folder.Path(), backups.Path(), kEvening + kHour, {&corrupting, {}});
    EXPECT_EQ(failed.status, SnapshotStatus::CheckFailed);
    EXPECT_EQ(NamesIn(backups.Path()), Names{older.snapshot.filename().string()});
}

// Two snapshots in one second: the first is kept as it is, the second takes the next
// second's name.
TEST(Snapshot, TwoInOneSecondAreBothKept) {
    Diary diary;
    ScratchFolder backups;
    const SnapshotResult first = MakeSnapshot(diary.folder.Path(), backups.Path(), kEvening);
    ASSERT_EQ(first.status, SnapshotStatus::Ok);
    const Bytes firstBytes = ReadFileBytes(first.snapshot);
    WriteFileText(diary / "20261206.DBT", "DN the sixth, a moment later");
    const SnapshotResult second = MakeSnapshot(diary.folder.Path(), backups.Path(), kEvening);
    ASSERT_EQ(second.status, SnapshotStatus::Ok);
    EXPECT_EQ(second.snapshot.filename().u16string(), SnapshotName(LocalTimeOf(kEvening + 1)));
    EXPECT_EQ(ReadFileBytes(first.snapshot), firstBytes);
    EXPECT_EQ(NamesIn(backups.Path()).size(), 2u);
}

// A day file written while it is copied: the snapshot takes it again and holds the new
// bytes whole; one that keeps changing is reported, and then nothing old is pruned.
TEST(Snapshot, AFileChangingWhileCopiedIsTakenWholeOrReported) {
    Diary diary;
    ScratchFolder backups;
    const fs::path day = diary / "20261205.dbt";
    int writes = 0;
    const auto changeOnce = [&](const fs::path& path) {
        if (path == day && writes++ == 0) WriteFileText(day, "DN the page as saved meanwhile, longer");
    };
    const SnapshotResult made = MakeSnapshot(diary.folder.Path(), backups.Path(), kEvening, {nullptr, changeOnce});
    ASSERT_EQ(made.status, SnapshotStatus::Ok);
    DayFilesInSnapshot files = ReadDayFromSnapshot(made.snapshot, {2026, 12, 5, 6});
    ASSERT_TRUE(files.record);
    EXPECT_EQ(*files.record, BytesOf("DN the page as saved meanwhile, longer"));

    // Eleven old snapshots of one year, which a complete snapshot would prune to the first
    // of the year beyond the ten newest, and zips that are not the program's.
    Names before;
    for (int month = 1; month <= 11; ++month) {
        const std::string name =
            "doodlebinder-2020" + std::string(month < 10 ? "0" : "") + std::to_string(month) + "01-120000.zip";
        fs::copy_file(made.snapshot, backups / name);
        before.push_back(name);
    }
    for (const char* foreign : {"holiday.zip", "doodlebinder-old.zip", "doodlebinder-20200301-120000.zip.part"})
        WriteFileText(backups / foreign, "not ours");
    // Longer each time: a file's time may not move within one tick of the disk's clock.
    const auto changeAlways = [&](const fs::path& path) {
        if (path == day) WriteFileText(day, "DN page " + std::string(++writes, '+'));
    };
    const SnapshotResult incomplete =
        MakeSnapshot(diary.folder.Path(), backups.Path(), kEvening + kHour, {nullptr, changeAlways});
    EXPECT_EQ(incomplete.status, SnapshotStatus::Incomplete);
    ASSERT_EQ(incomplete.unread.size(), 1u);
    EXPECT_EQ(incomplete.unread[0].path, day);
    EXPECT_EQ(incomplete.unread[0].why, ReadStatus::InUse);
    // Pruned as usual all the same: thirteen of the pattern, the ten newest stay, and
    // January stands for 2020.
    EXPECT_EQ(incomplete.pruned, (std::vector<fs::path>{backups / before[2], backups / before[1]}));
    // The day is marked where it is offered, and its record is not taken for none.
    const DayVersionList versions = ListDayVersions(backups.Path(), "", {2026, 12, 5, 6});
    ASSERT_FALSE(versions.versions.empty());
    EXPECT_EQ(versions.versions[0].snapshot, incomplete.snapshot);
    EXPECT_TRUE(versions.versions[0].incomplete);
    EXPECT_FALSE(versions.versions[0].recordCrc);
    files = ReadDayFromSnapshot(incomplete.snapshot, {2026, 12, 5, 6});
    EXPECT_TRUE(files.recordLeftOut);
    EXPECT_FALSE(files.record);
    EXPECT_FALSE(files.pictureLeftOut);
    EXPECT_TRUE(files.picture);

    const SnapshotResult complete = MakeSnapshot(diary.folder.Path(), backups.Path(), kEvening + 2 * kHour);
    ASSERT_EQ(complete.status, SnapshotStatus::Ok);
    EXPECT_EQ(complete.pruned, (std::vector<fs::path>{backups / before[3]}));
    for (const char* foreign : {"holiday.zip", "doodlebinder-old.zip", "doodlebinder-20200301-120000.zip.part"})
        EXPECT_TRUE(fs::exists(backups / foreign)) << foreign;
}

// The host's full disk and read-only folder (with_troubled_folders.sh) refuse the
// snapshot, and say why; nothing is left behind.
TEST(Snapshot, SaysWhyAFullDiskOrAReadOnlyFolderRefusedIt) {
    const std::optional<fs::path> full = HostPath("DOODLE_FULL_FOLDER"), readOnly = HostPath("DOODLE_READONLY_FOLDER");
    if (!full || !readOnly) GTEST_SKIP() << "the folders need root";
    Diary diary;
    Bytes noise(200000);
    std::uint32_t state = 1;
    for (std::uint8_t& b : noise) b = static_cast<std::uint8_t>((state = state * 1103515245 + 12345) >> 24);
    WriteFileBytes(diary / "20261207.bmp", noise);
    // Folders the snapshot made for itself go again with it.
    const SnapshotResult onFull = MakeSnapshot(diary.folder.Path(), *full / "backups" / "diary", kEvening);
    EXPECT_EQ(onFull.status, SnapshotStatus::CannotWrite);
    EXPECT_EQ(onFull.fault, WriteFault::DiskFull);
    EXPECT_EQ(NamesIn(*full), Names{});
    const Names readOnlyBefore = NamesIn(*readOnly);
    const SnapshotResult onReadOnly = MakeSnapshot(diary.folder.Path(), *readOnly, kEvening);
    EXPECT_EQ(onReadOnly.status, SnapshotStatus::CannotWrite);
    EXPECT_EQ(onReadOnly.fault, WriteFault::NotWritable);
    EXPECT_EQ(NamesIn(*readOnly), readOnlyBefore);
}

TEST(DayVersions, TheSnapshotsHoldingADayNewestFirstAndDamagedOnesSkipped) {
    Diary diary;
    ScratchFolder backups;
    const DayKey sixth{2026, 12, 6, 0};
    std::vector<fs::path> made;
    for (int i = 0; i < 3; ++i) {
        WriteFileText(diary / "20261206.DBT", "DN version " + std::to_string(i));
        made.push_back(MakeSnapshot(diary.folder.Path(), backups.Path(), kEvening + i * kHour).snapshot);
    }
    fs::remove(diary / "20261206.DBT");  // a day removed: the newest snapshot lacks it
    ASSERT_EQ(MakeSnapshot(diary.folder.Path(), backups.Path(), kEvening + 3 * kHour).status, SnapshotStatus::Ok);
    // The middle one cut short, and a zip that is not a snapshot.
    const Bytes middle = ReadFileBytes(made[1]);
    WriteFileBytes(made[1], Bytes(middle.begin(), middle.begin() + static_cast<std::ptrdiff_t>(middle.size() / 2)));
    WriteFileText(backups / "other.zip", "not ours");

    const DayVersionList list = ListDayVersions(backups.Path(), "", sixth);
    ASSERT_EQ(list.versions.size(), 2u);
    EXPECT_EQ(list.versions[0].snapshot, made[2]);
    EXPECT_EQ(list.versions[1].snapshot, made[0]);
    EXPECT_EQ(list.versions[0].time, LocalTimeOf(kEvening + 2 * kHour));
    EXPECT_TRUE(list.versions[0].recordCrc);
    EXPECT_FALSE(list.versions[0].pictureCrc);
    EXPECT_NE(list.versions[0].recordCrc, list.versions[1].recordCrc);
    EXPECT_EQ(list.damaged, std::vector<fs::path>{made[1]});

    const DayFilesInSnapshot files = ReadDayFromSnapshot(made[0], sixth);
    EXPECT_EQ(files.status, ZipReadStatus::Ok);
    EXPECT_EQ(files.record, BytesOf("DN version 0"));
    EXPECT_FALSE(files.picture);
    EXPECT_EQ(ReadDayFromSnapshot(made[1], sixth).status, ZipReadStatus::NotAZip);
}

// What Earlier versions offers: a run of snapshots holding the same page shows once, from
// the oldest of them, and the page as stored now not at all, whichever snapshot holds it.
TEST(DayVersions, OnlyVersionsThatDifferAreOffered) {
    auto version = [](int n, std::optional<std::uint32_t> record, std::optional<std::uint32_t> picture) {
        return DayVersion{fs::path("snapshot-" + std::to_string(n)), {}, record, picture, {}};
    };
    auto snapshotsOf = [](const std::vector<DayVersion>& versions) {
        std::vector<std::string> names;
        for (const DayVersion& v : versions) names.push_back(v.snapshot.string());
        return names;
    };
    using Names = std::vector<std::string>;
    // Newest first: 6 and 5 as stored now, 4 and 3 the same older page, 2 with no picture
    // yet, 1 as stored now again (the page went back to it), 0 a page with neither.
    const std::vector<DayVersion> newestFirst{
        version(6, 7, 8), version(5, 7, 8), version(4, 7, 9), version(3, 7, 9), version(2, 7, std::nullopt),
        version(1, 7, 8), version(0, 1, 2)};
    EXPECT_EQ(snapshotsOf(VersionsThatDiffer(newestFirst, version(-1, 7, 8))),
              (Names{"snapshot-3", "snapshot-2", "snapshot-0"}));
    EXPECT_EQ(snapshotsOf(VersionsThatDiffer(newestFirst, version(-1, 5, std::nullopt))),
              (Names{"snapshot-5", "snapshot-3", "snapshot-2", "snapshot-1", "snapshot-0"}));
    EXPECT_EQ(snapshotsOf(VersionsThatDiffer({}, version(-1, 7, 8))), Names{});

    // The stored page as CRC-32s of its files; a file that is not there has none.
    Diary diary;
    WriteFileText(diary / "20261206.dbt", "DN stored");
    const DayVersion stored = StoredVersion(diary / "20261206.dbt", diary / "20261206.bmp");
    ASSERT_TRUE(stored.recordCrc);
    EXPECT_EQ(*stored.recordCrc, 0x715CF74Eu);
    EXPECT_FALSE(stored.pictureCrc);
}

// The folder kept in the settings file comes back from its bytes; without one, the
// default is named after the diary folder, however its path ends.
TEST(BackupFolder, KeptInTheSettingsOrNamedAfterTheDiaryAndItsIdentity) {
    Settings settings;
    EXPECT_FALSE(ChosenBackupFolder(settings));
    KeepBackupFolder(settings, fs::path(u"/mnt/backups/日記"));
    EXPECT_EQ(ChosenBackupFolder(Settings(settings.Bytes())), fs::path(u"/mnt/backups/日記"));
    const fs::path local = "/home/me/local";
    const std::string id = "0123456789abcdef0123456789abcdef";
    EXPECT_EQ(DefaultBackupFolder(local, "/media/stick/Diary", id),
              local / "Doodlebinder" / "Backups" / "Diary-01234567");
    EXPECT_EQ(DefaultBackupFolder(local, "/media/stick/Diary/", id),
              local / "Doodlebinder" / "Backups" / "Diary-01234567");
    // Without an identity, two folders of one name still get two backup folders.
    EXPECT_NE(DefaultBackupFolder(local, "/media/d/Diary", ""), DefaultBackupFolder(local, "/media/e/Diary", ""));
    EXPECT_EQ(DefaultBackupFolder(local, "/media/d/Diary", ""), DefaultBackupFolder(local, "/media/d/Diary/", ""));
}

// What a snapshot cannot take or cannot date must not make every hourly look see a
// change: a day file dated after 2038 (no zip timestamp holds it), and a 1.1 GB file
// beside the days (left out unread, with a word). Each is compared as the snapshot holds
// it or names it; a real change is still seen.
TEST(Snapshot, WhatItLeavesOutOrCannotDateIsNoChangeEveryHour) {
    Diary diary;
    ScratchFolder backups;
    const auto later =
        std::chrono::floor<std::chrono::seconds>(fs::file_time_type::clock::now() + std::chrono::hours(24 * 365 * 14));
    fs::last_write_time(diary / "20261205.dbt", later);
    std::error_code sparse;
    fs::resize_file(diary / "photo.JPG", (std::uintmax_t{1100} << 20), sparse);
    ASSERT_FALSE(sparse) << sparse.message();
    const SnapshotResult made = MakeSnapshot(diary.folder.Path(), backups.Path(), kEvening);
    ASSERT_EQ(made.status, SnapshotStatus::Incomplete);
    ASSERT_EQ(made.unread.size(), 1u);
    EXPECT_EQ(made.unread[0].path.filename(), "photo.JPG");
    EXPECT_TRUE(made.unread[0].tooLarge);
    EXPECT_EQ(made.files, 7) << "every day file";
    EXPECT_FALSE(DiaryDiffersFromSnapshot(diary.folder.Path(), made.snapshot));

    fs::resize_file(diary / "photo.JPG", std::uintmax_t{1100} << 20 | 1);
    EXPECT_TRUE(DiaryDiffersFromSnapshot(diary.folder.Path(), made.snapshot)) << "the large file changed";
    fs::resize_file(diary / "photo.JPG", 1000);
    const SnapshotResult next = MakeSnapshot(diary.folder.Path(), backups.Path(), kEvening + kHour);
    ASSERT_EQ(next.status, SnapshotStatus::Ok);
    EXPECT_EQ(next.files, 8);
    EXPECT_FALSE(DiaryDiffersFromSnapshot(diary.folder.Path(), next.snapshot));
    fs::last_write_time(diary / "20261205.dbt", later + std::chrono::seconds(2));
    EXPECT_TRUE(DiaryDiffersFromSnapshot(diary.folder.Path(), next.snapshot)) << "a later time past 2038";
}

// A snapshot cut short by a kill, or by the close's wait running out, leaves the writer's
// temporary zip: the next snapshot sweeps it by the writer's rule, and nothing else.
TEST(Snapshot, AnInterruptedSnapshotsTemporaryZipIsSweptNextTime) {
    Diary diary;
    ScratchFolder backups;
    // The writer's names say which system numbered their process: "p" for a POSIX one.
#ifdef _WIN32
    const std::string thisSystem = "", otherSystem = "p";
#else
    const std::string thisSystem = "p", otherSystem = "";
#endif
    const std::string leftover = "doodlebinder-20261206-203000.zip.tmp-" + thisSystem + "4000000000-1";
    // A process of the other system cannot be asked about: its fresh zip may be one being written.
    const std::string young = "doodlebinder-20261206-203000.zip.tmp-" + otherSystem + "4000000000-1";
    const Names others = {"holiday.zip.tmp-4000000000-1", "notes.txt"};
    for (const std::string& name : others) WriteFileText(backups / name, "not a snapshot's");
    WriteFileText(backups / leftover, "PK half a snapshot");
    WriteFileText(backups / young, "PK a snapshot being written");
    ASSERT_EQ(MakeSnapshot(diary.folder.Path(), backups.Path(), kEvening).status, SnapshotStatus::Ok);
    EXPECT_FALSE(fs::exists(backups / leftover));
    EXPECT_TRUE(fs::exists(backups / young)) << "a fresh one whose writer cannot be asked about";
    for (const std::string& name : others) EXPECT_TRUE(fs::exists(backups / name)) << name;
}
