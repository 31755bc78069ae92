// A locked diary's conflict copies taken in as a plain diary's are, with the snapshot from
// before as the base, and its earlier versions read back from its snapshots: nothing
// plain is written anywhere on the way.
#include <gtest/gtest.h>

#include <algorithm>

#include "backup/day_versions.h"
#include "backup/diary_identity.h"
#include "backup/snapshot.h"
#include "diarycore/day_file_store.h"
#include "diarycore/record.h"
#include "lock/diary_seal.h"
#include "sync/conflict_copies.h"
#include "support/scratch_files.h"

namespace fs = std::filesystem;

namespace {

constexpr std::int64_t kEvening = 1796592600;  // 2026-12-06 21:30:00 UTC

DiaryKey TestKey() {
    std::array<std::uint8_t, kDiaryKeyBytes> bytes;
    bytes.fill(0x5A);
    return DiaryKey(bytes);
}

void Store(const fs::path& file, std::u16string text) {
    DayRecord record;
    record.text = std::move(text);
    ASSERT_EQ(WriteDayFile(file, SerializeRecord(record).bytes, {}), WriteStatus::Ok) << file;
}

std::u16string StoredText(const fs::path& file) {
    std::vector<std::uint8_t> bytes;
    DayRecord record;
    if (ReadDayFile(file, bytes) != ReadStatus::Ok || ParseRecord(bytes, record) != RecordStatus::Ok) return u"?";
    return record.text;
}

}  // namespace

TEST(LockedDiaryMerge, TakesInALockedCopyAndReadsEarlierVersionsLocked) {
    ScratchFolder diary, backups;
    UseDayFileSeal(diary.Path(), MakeDiarySeal(TestKey()));
    Store(diary / "20261206.dbt", u"morning\r\nnoon\r\nevening");
    ASSERT_EQ(MakeSnapshot(diary.Path(), backups.Path(), kEvening).status, SnapshotStatus::Ok);
    Store(diary / "20261206.dbt", u"a fine morning\r\nnoon\r\nevening");
    const fs::path copy = diary / "20261206.dbt.sync-conflict-20261206-223000-ABCDEFG.locked";
    Store(copy, u"morning\r\nnoon\r\na late evening");

    bool listed = false;
    const std::vector<ConflictCopyFile> copies = ListConflictCopies(diary.Path(), listed);
    ASSERT_EQ(copies.size(), 1u);
    const std::string identity = *KnownDiaryIdentity(diary.Path());
    const TakeInResult taken = TakeInConflictCopy(diary.Path(), copies[0], backups.Path(), identity);
    ASSERT_EQ(taken.status, TakeInStatus::Merged);
    EXPECT_TRUE(taken.hadBase) << "the locked snapshot gave no base";
    EXPECT_EQ(StoredText(diary / "20261206.dbt"), u"a fine morning\r\nnoon\r\na late evening");
    EXPECT_FALSE(fs::exists(copy));
    EXPECT_EQ(StoredText(taken.keptAs), u"morning\r\nnoon\r\na late evening");

    // The snapshot's version differs from the merged day, and only it: the day saved twice
    // since, sealed anew each time, is one page, not two.
    ASSERT_EQ(MakeSnapshot(diary.Path(), backups.Path(), kEvening + 3600).status, SnapshotStatus::Ok);
    const std::shared_ptr<const DayFileSeal> seal = DayFileSealOf(diary.Path());
    DayVersionList list = ListDayVersions(backups.Path(), identity, {2026, 12, 6}, seal.get());
    ASSERT_EQ(list.versions.size(), 2u);
    const std::vector<DayVersion> differing =
        VersionsThatDiffer(std::move(list.versions), StoredVersion(diary / "20261206.dbt", diary / "20261206.bmp"));
    ASSERT_EQ(differing.size(), 1u);
    const DayFilesInSnapshot earlier = ReadDayFromSnapshot(differing[0].snapshot, {2026, 12, 6}, seal.get());
    ASSERT_EQ(earlier.status, ZipReadStatus::Ok);
    DayRecord record;
    ASSERT_EQ(ParseRecord(*earlier.record, record), RecordStatus::Ok);
    EXPECT_EQ(record.text, u"morning\r\nnoon\r\nevening");
    EXPECT_EQ(ReadDayFromSnapshot(differing[0].snapshot, {2026, 12, 6}).status, ZipReadStatus::Damaged)
        << "a locked day opened without the diary's seal";

    for (const fs::path& folder : {diary.Path(), backups.Path()}) {
        EXPECT_EQ(FilesHolding(folder, "evening"), std::vector<std::string>{}) << folder;
        EXPECT_EQ(FilesHolding(folder, "morning"), std::vector<std::string>{}) << folder;
    }
    DropDayFileSeal(diary.Path());
}
