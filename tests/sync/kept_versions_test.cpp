// Versions a merge or a restore set aside: kept under one name per version, listed
// newest first with the sync tools' copies taken in, and read back with the parts they
// do not know marked so.
#include <gtest/gtest.h>

#include "diarycore/picture_bytes.h"
#include "sync/conflict_copies.h"
#include "sync/kept_versions.h"
#include "support/scratch_files.h"

namespace fs = std::filesystem;

namespace {

// 2026-12-06 21:30:00 UTC.
constexpr std::int64_t kEvening = 1796592600;
constexpr DayKey kDay{2026, 12, 7, 1};

TEST(KeptVersions, EachVersionKeepsItsFilesTogetherAndComesBackNewestFirst) {
    ScratchFolder folder;
    const Bytes record{'D', 'N', 6, 1, 0, 0, 'a', 0};
    const Bytes picture = PictureFileBytes(Bytes(kPicturePixelBytes, 0x11));
    EXPECT_TRUE(ListKeptVersions(folder.Path(), kDay).empty());

    const fs::path first = KeepDayVersion(folder.Path(), kDay, {record, picture}, kEvening);
    const fs::path second = KeepDayVersion(folder.Path(), kDay, {record, std::nullopt}, kEvening);
    ASSERT_FALSE(first.empty());
    ASSERT_FALSE(second.empty());
    EXPECT_NE(first.stem(), second.stem()) << "the same second makes a name of its own";
    EXPECT_EQ(first.parent_path(), MergedCopiesFolder(folder.Path()));
    EXPECT_TRUE(first.filename().u16string().starts_with(u"20261207.kept-"));
    // A conflict copy taken in, and files of other days.
    WriteFileText(MergedCopiesFolder(folder.Path()) / "20261207.sync-conflict-20261207-101010-ABCDEFG.bmp", "x");
    WriteFileText(MergedCopiesFolder(folder.Path()) / "20261208.kept-20261208-101010.dbt", "x");
    fs::last_write_time(first, fs::last_write_time(first) - std::chrono::hours(2));
    fs::last_write_time(first.parent_path() / (first.stem().u16string() + u".bmp"),
                        fs::last_write_time(first) - std::chrono::hours(2));

    const std::vector<KeptVersion> versions = ListKeptVersions(folder.Path(), kDay);
    ASSERT_EQ(versions.size(), 3u);
    EXPECT_EQ(versions.back().record, first);
    const DayFilesInSnapshot both = ReadKeptVersion(versions.back());
    EXPECT_EQ(both.status, ZipReadStatus::Ok);
    EXPECT_EQ(both.record, record);
    EXPECT_EQ(both.picture, picture);
    EXPECT_FALSE(both.recordLeftOut || both.pictureLeftOut);

    std::size_t recordOnly = 0, pictureOnly = 0;
    for (const KeptVersion& version : versions) {
        const DayFilesInSnapshot files = ReadKeptVersion(version);
        recordOnly += files.record && files.pictureLeftOut && !files.picture;
        pictureOnly += files.picture && files.recordLeftOut && !files.record;
    }
    EXPECT_EQ(recordOnly, 1u);
    EXPECT_EQ(pictureOnly, 1u) << "the conflict copy: its record is not known";
}

}  // namespace
