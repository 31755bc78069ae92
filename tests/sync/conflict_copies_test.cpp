// A sync tool's conflict copies taken into their days on disk: with a backup snapshot as
// the version both sides started from, without one, and a copy that is no page, which
// stays where it is. Nothing either side wrote or drew is lost, and no copy is deleted.
#include <gtest/gtest.h>

#include "backup/diary_identity.h"
#include "backup/snapshot.h"
#include "diarycore/picture_bytes.h"
#include "diarycore/record.h"
#include "sync/conflict_copies.h"
#include "support/scratch_files.h"

namespace fs = std::filesystem;

namespace {

using Names = std::vector<std::string>;

// 2026-12-06 21:30:00 UTC.
constexpr std::int64_t kEvening = 1796592600;

void WriteRecord(const fs::path& file, std::u16string text, std::uint8_t weather = 1) {
    DayRecord record;
    record.text = std::move(text);
    record.weather = weather;
    WriteFileBytes(file, SerializeRecord(record).bytes);
}

DayRecord ReadRecord(const fs::path& file) {
    DayRecord record;
    EXPECT_EQ(ParseRecord(ReadFileBytes(file), record), RecordStatus::Ok) << file;
    return record;
}

Bytes PictureWithLine(int y, std::uint8_t colour) {
    Bytes pixels(kPicturePixelBytes, 0xFF);
    for (int x = 20; x < 120; ++x) SetPicturePixel(pixels, x, y, colour);
    return PictureFileBytes(pixels);
}

}  // namespace

// Both computers typed on the 6th while apart, each a line of its own, and one drew: the
// snapshot from before gives the common version, so each side's change is taken once.
TEST(ConflictCopies, TakenInWithTheSnapshotBeforeAsTheBase) {
    ScratchFolder diary, backups;
    WriteRecord(diary / "20261206.dbt", u"morning\r\nnoon\r\nevening");
    WriteFileBytes(diary / "20261206.bmp", PictureWithLine(10, 0));
    ASSERT_EQ(MakeSnapshot(diary.Path(), backups.Path(), kEvening).status, SnapshotStatus::Ok);
    WriteRecord(diary / "20261206.dbt", u"a fine morning\r\nnoon\r\nevening");
    const fs::path copy = diary / "20261206.sync-conflict-20261206-223000-ABCDEFG.dbt";
    WriteRecord(copy, u"morning\r\nnoon\r\na late evening", 4);
    WriteFileText(diary / "notes (conflicted copy 2026-12-06 101010).txt", "not a day's");

    bool listed = false;
    const std::vector<ConflictCopyFile> copies = ListConflictCopies(diary.Path(), listed);
    ASSERT_TRUE(listed);
    ASSERT_EQ(copies.size(), 1u);
    const TakeInResult taken =
        TakeInConflictCopy(diary.Path(), copies[0], backups.Path(), *KnownDiaryIdentity(diary.Path()));
    ASSERT_EQ(taken.status, TakeInStatus::Merged);
    EXPECT_TRUE(taken.hadBase);
    EXPECT_FALSE(taken.summary.textConflicted);
    const DayRecord merged = ReadRecord(diary / "20261206.dbt");
    EXPECT_EQ(merged.text, u"a fine morning\r\nnoon\r\na late evening");
    EXPECT_EQ(merged.weather, 4) << "changed on their side only";
    EXPECT_EQ(ReadFileBytes(diary / "20261206.bmp"), PictureWithLine(10, 0)) << "the drawing neither changed";
    EXPECT_FALSE(fs::exists(copy));
    EXPECT_EQ(taken.keptAs, MergedCopiesFolder(diary.Path()) / copy.filename());
    EXPECT_EQ(ReadRecord(taken.keptAs).text, u"morning\r\nnoon\r\na late evening") << "their whole file, kept";
}

// No snapshot: the texts are put together, lines both have once, and a stroke drawn on
// each side is in the merged drawing. A second copy of the same name in the merged
// folder does not replace the first.
TEST(ConflictCopies, WithoutABaseBothSidesArePutTogether) {
    ScratchFolder diary;
    WriteRecord(diary / "20261206.dbt", u"shared\r\nmine");
    WriteFileBytes(diary / "20261206.bmp", PictureWithLine(10, 0));
    const fs::path picture = diary / "20261206 (Anna's conflicted copy 2026-12-06).bmp";
    const fs::path record = diary / "20261206 (Anna's conflicted copy 2026-12-06).dbt";
    WriteFileBytes(picture, PictureWithLine(50, 9));
    WriteRecord(record, u"shared\r\ntheirs");
    fs::create_directories(MergedCopiesFolder(diary.Path()));
    WriteFileText(MergedCopiesFolder(diary.Path()) / record.filename(), "an earlier copy of that name");

    bool listed = false;
    for (const ConflictCopyFile& copy : ListConflictCopies(diary.Path(), listed)) {
        const TakeInResult taken = TakeInConflictCopy(diary.Path(), copy, std::nullopt, "");
        EXPECT_EQ(taken.status, TakeInStatus::Merged) << copy.path;
        EXPECT_FALSE(taken.hadBase);
    }
    EXPECT_EQ(ReadRecord(diary / "20261206.dbt").text, u"shared\r\nmine\r\ntheirs");
    const Bytes both = ReadFileBytes(diary / "20261206.bmp");
    ASSERT_EQ(both.size(), static_cast<std::size_t>(kPictureFileBytes));
    const std::span<const std::uint8_t> pixels(both.begin() + kPictureHeaderBytes, both.end());
    EXPECT_EQ(PicturePixel(pixels, 60, 10), 0) << "our stroke";
    EXPECT_EQ(PicturePixel(pixels, 60, 50), 9) << "their stroke";
    // The two copies beside the earlier one of that name, and the day as it was here
    // before each merge replaced it, set aside.
    EXPECT_EQ(NamesIn(MergedCopiesFolder(diary.Path())).size(), 5u) << "no copy replaced, none deleted";
    std::vector<std::u16string> setAside;
    for (const KeptVersion& version : ListKeptVersions(diary.Path(), {2026, 12, 6, 0})) {
        const DayFilesInSnapshot files = ReadKeptVersion(version);
        if (files.record && version.record.filename().u16string().find(u".kept-") != std::u16string::npos) {
            DayRecord kept;
            ParseRecord(*files.record, kept);
            setAside.push_back(kept.text);
        }
        if (files.picture && version.picture.filename().u16string().find(u".kept-") != std::u16string::npos) {
            EXPECT_EQ(*files.picture, PictureWithLine(10, 0)) << "our picture as it was";
        }
    }
    EXPECT_EQ(setAside, std::vector<std::u16string>{u"shared\r\nmine"});
}

// A copy that is no page of the diary's own (a photograph's bytes), and a day whose own
// record is damaged: nothing is written, the copy stays where it is.
TEST(ConflictCopies, ACopyThatIsNoPageStaysWhereItIs) {
    ScratchFolder diary;
    WriteRecord(diary / "20261206.dbt", u"mine");
    const fs::path photo = diary / "20261206 (1).bmp";
    WriteFileText(photo, "\xFF\xD8 a photograph, no bitmap");
    const fs::path other = diary / "20261207-LAPTOP.dbt";
    WriteRecord(other, u"theirs");
    WriteFileText(diary / "20261207.dbt", "XX no record");
    const Bytes before = ReadFileBytes(diary / "20261207.dbt");
    bool listed = false;
    const std::vector<ConflictCopyFile> copies = ListConflictCopies(diary.Path(), listed);
    ASSERT_EQ(copies.size(), 2u);
    EXPECT_EQ(copies[0].path, photo) << "by day";
    for (const ConflictCopyFile& copy : copies) {
        EXPECT_EQ(TakeInConflictCopy(diary.Path(), copy, std::nullopt, "").status, TakeInStatus::NotMergeable);
        EXPECT_TRUE(fs::exists(copy.path));
    }
    EXPECT_EQ(ReadFileBytes(diary / "20261207.dbt"), before);
    EXPECT_FALSE(fs::exists(MergedCopiesFolder(diary.Path())));
}
