#include "lock/diary_seal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "diarycore/day_file_store.h"
#include "diarycore/diary_search.h"
#include "diarycore/pages_in_folder.h"
#include "diarycore/record.h"
#include "diarycore/recovery_files.h"
#include "support/scratch_files.h"

namespace fs = std::filesystem;

namespace {

DiaryKey TestKey(std::uint8_t fill) {
    std::array<std::uint8_t, kDiaryKeyBytes> bytes;
    bytes.fill(fill);
    return DiaryKey(bytes);
}

Bytes RecordOf(const std::u16string& text) { return SerializeRecord(DayRecord{1, 2, 3, {}, text}).bytes; }

bool Holds(const Bytes& bytes, const std::string& word) {
    return std::search(bytes.begin(), bytes.end(), word.begin(), word.end()) != bytes.end();
}

// A diary folder opened with a key for the test's time, and closed again after it.
class SealedDiary : public ::testing::Test {
protected:
    void SetUp() override { UseDayFileSeal(folder.Path(), MakeDiarySeal(TestKey(7))); }
    void TearDown() override { DropDayFileSeal(folder.Path()); }

    ScratchFolder folder;
};

}  // namespace

TEST(DiarySeal, BindsEveryCopyOfADayFileAsTheDayFile) {
    for (const char16_t* name : {u"20261207.dbt.locked", u"20261207.DBT~", u"20261207.kept-20261208-101500.dbt",
                                 u"20261207 (1).dbt.locked", u"20261207.dbt.sync-conflict-20261208-1-ABC.locked"}) {
        const FileBinding binding = BindingOfStoredName(name);
        EXPECT_EQ(binding.day, 20261207u) << fs::path(name).string();
        EXPECT_EQ(binding.kind, LockedFileKind::Record) << fs::path(name).string();
    }
    EXPECT_EQ(BindingOfStoredName(u"20261207-LAPTOP.BMP.locked").kind, LockedFileKind::Picture);
    for (const char16_t* name : {u"settings.ini", u"2026120x.dbt", u"20261207.txt", u"20261207"})
        EXPECT_EQ(BindingOfStoredName(name).day, 0u) << fs::path(name).string();
}

TEST_F(SealedDiary, WritesDayFilesAndTheirCopiesSealedAndReadsThemPlain) {
    const Bytes record = RecordOf(u"Kirschblüte im Dezember");
    const fs::path plain = folder.Path() / "20261207.dbt";
    WriteFileBytes(plain, RecordOf(u"the page before the diary was locked"));

    EXPECT_EQ(StoredDayFilePath(plain), folder.Path() / "20261207.dbt.locked");
    ASSERT_EQ(WriteDayFile(plain, record, {}), WriteStatus::Ok);
    EXPECT_EQ(NamesIn(folder.Path()), std::vector<std::string>{"20261207.dbt.locked"});  // the plain one went
    EXPECT_FALSE(Holds(ReadFileBytes(folder.Path() / "20261207.dbt.locked"), "Kirsch"));

    // A recovery copy keeps its name and is sealed all the same.
    const fs::path recovery = RecoveryFilePath(folder.Path().u16string(), DayKey{2026, 12, 7}, u"dbt");
    fs::create_directories(recovery.parent_path());
    ASSERT_EQ(WriteDayFile(recovery, record, {}), WriteStatus::Ok);
    EXPECT_FALSE(Holds(ReadFileBytes(recovery), "Kirsch"));

    for (const fs::path& path : {plain, folder.Path() / "20261207.dbt.locked", recovery}) {
        std::vector<std::uint8_t> read;
        EXPECT_EQ(ReadDayFile(path, read), ReadStatus::Ok) << path;
        EXPECT_EQ(read, record) << path;
    }
    ReadableFile picture;  // opened whole in memory, its bytes read where they lie
    Bytes piece(4);
    ASSERT_EQ(OpenDayPicture(plain, picture), ReadStatus::Ok);
    EXPECT_TRUE(picture.ReadAt(record.size() - 4, piece) && std::equal(piece.begin(), piece.end(), record.end() - 4));
    EXPECT_FALSE(picture.ReadAt(record.size() - 3, piece));

    // A day not yet locked reads as it is, and the search finds words in both kinds.
    WriteFileBytes(folder.Path() / "20261206.dbt", RecordOf(u"noch offen"));
    const DiaryRecords records = ReadDiaryRecords(folder.Path());
    ASSERT_EQ(records.entries.size(), 2u);
    EXPECT_EQ(records.entries[0].text, u"Kirschblüte im Dezember");
    EXPECT_EQ(records.entries[1].text, u"noch offen");
    EXPECT_EQ(ListDaysWithPages(folder.Path()), (DaysWithPages{20261206, 20261207}));
}

TEST_F(SealedDiary, TellsADamagedDayFromALockedOneAndReadsTheRest) {
    ASSERT_EQ(WriteDayFile(folder.Path() / "20261207.dbt", RecordOf(u"heile"), {}), WriteStatus::Ok);
    ASSERT_EQ(WriteDayFile(folder.Path() / "20261208.dbt", RecordOf(u"kaputt"), {}), WriteStatus::Ok);
    Bytes bytes = ReadFileBytes(folder.Path() / "20261208.dbt.locked");
    bytes[bytes.size() / 2] ^= 0x10;
    WriteFileBytes(folder.Path() / "20261208.dbt.locked", bytes);
    // A locked day copied under another day's name is no page of that day.
    fs::copy_file(folder.Path() / "20261207.dbt.locked", folder.Path() / "20261209.dbt.locked");

    std::vector<std::uint8_t> read;
    EXPECT_EQ(ReadDayFile(folder.Path() / "20261208.dbt", read), ReadStatus::Damaged);
    EXPECT_EQ(ReadDayFile(folder.Path() / "20261209.dbt", read), ReadStatus::Damaged);
    const DiaryRecords records = ReadDiaryRecords(folder.Path());
    ASSERT_EQ(records.entries.size(), 1u);
    EXPECT_EQ(records.entries[0].text, u"heile");
    EXPECT_EQ(records.unreadableDays, 2);

    // Another key's seal opens nothing either; without any, a locked file says it is locked.
    UseDayFileSeal(folder.Path(), MakeDiarySeal(TestKey(8)));
    EXPECT_EQ(ReadDayFile(folder.Path() / "20261207.dbt", read), ReadStatus::Damaged);
    DropDayFileSeal(folder.Path());
    EXPECT_EQ(ReadDayFile(folder.Path() / "20261207.dbt.locked", read), ReadStatus::Locked);
}
