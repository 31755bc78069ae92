// The day files' reader and writer: a day without a file is told apart from one that is
// there, and a write keeps what its caller asked of the writer.
#include <gtest/gtest.h>

#include "diarycore/day_file_store.h"
#include "support/scratch_files.h"

TEST(DayFileStore, WritesThroughTheCallersTemporaryFolderAndReadsBack) {
    ScratchFolder diary;
    std::vector<std::uint8_t> bytes{1};
    EXPECT_EQ(ReadDayFile(diary / "20261206.dbt", bytes), ReadStatus::Missing);
    EXPECT_TRUE(bytes.empty());

    WriteOptions options;
    options.temporaryFolder = diary / "tmp";
    ASSERT_EQ(WriteDayFile(diary / "20261206.dbt", BytesOf("DN record"), options), WriteStatus::Ok);
    EXPECT_EQ(ReadDayFile(diary / "20261206.dbt", bytes), ReadStatus::Ok);
    EXPECT_EQ(bytes, BytesOf("DN record"));
    EXPECT_TRUE(std::filesystem::is_directory(options.temporaryFolder) && NamesIn(options.temporaryFolder).empty());

    // A file the caller's listing did not hold is another program's: it stays.
    options.targetAbsent = true;
    EXPECT_NE(WriteDayFile(diary / "20261206.dbt", BytesOf("ours"), options), WriteStatus::Ok);
    EXPECT_EQ(ReadFileBytes(diary / "20261206.dbt"), BytesOf("DN record"));
}
