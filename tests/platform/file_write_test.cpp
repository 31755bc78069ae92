// Writing a file never leaves half of it: the old file stays whole on every failure.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "file_write.h"
#include "test_files.h"

namespace fs = std::filesystem;

namespace {

using Names = std::vector<std::string>;

std::vector<std::uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

// Fails one step on purpose, after doing part of the work as a full disk would.
struct FailingSteps : FileWriteSteps {
    bool failWrite = false;
    bool failReplace = false;
    WriteStatus WriteNewFile(const fs::path& path, std::span<const std::uint8_t> bytes) override {
        if (!failWrite) return FileWriteSteps::WriteNewFile(path, bytes);
        WriteFileText(path, "half");
        return WriteStatus::CannotWrite;
    }
    bool ReplaceFile(const fs::path& from, const fs::path& to) override {
        return !failReplace && FileWriteSteps::ReplaceFile(from, to);
    }
};

}  // namespace

TEST(FileWrite, ReplacesWholeFilesAndKeepsTheOldOneOnEveryFailure) {
    ScratchFolder folder;
    const fs::path target = folder / "page.dbt";
    for (const char* text : {"first", "second, longer", ""}) {
        ASSERT_EQ(WriteFileSafely(target, Bytes(text)), WriteStatus::Ok);
        EXPECT_EQ(ReadFileText(target), text);
    }
    ASSERT_EQ(WriteFileSafely(target, Bytes("old page")), WriteStatus::Ok);

    FailingSteps failWrite;
    failWrite.failWrite = true;
    EXPECT_EQ(WriteFileSafely(target, Bytes("new page"), failWrite), WriteStatus::CannotWrite);
    FailingSteps failReplace;
    failReplace.failReplace = true;
    EXPECT_EQ(WriteFileSafely(target, Bytes("new page"), failReplace), WriteStatus::CannotReplace);
    EXPECT_EQ(WriteFileSafely(folder / "no such folder" / "x.dbt", Bytes("x")), WriteStatus::CannotCreate);
    EXPECT_EQ(ReadFileText(target), "old page");
    EXPECT_EQ(NamesIn(folder.Path()), Names{"page.dbt"}) << "a temporary file was left behind";
}

#ifdef __linux__
TEST(FileWrite, FullAndReadOnlyDisksKeepTheOldFile) {
    ScratchFolder folder;
    SmallDisk disk(folder.Path(), "64k");
    if (!disk.Mounted()) GTEST_SKIP() << "mounting needs root";
    const fs::path target = disk.Path() / "page.dbt";
    ASSERT_EQ(WriteFileSafely(target, Bytes("old page")), WriteStatus::Ok);
    EXPECT_EQ(WriteFileSafely(target, std::vector<std::uint8_t>(256 * 1024, 'x')), WriteStatus::CannotWrite);
    EXPECT_EQ(ReadFileText(target), "old page");
    EXPECT_EQ(NamesIn(disk.Path()), Names{"page.dbt"});

    ASSERT_TRUE(disk.MakeReadOnly());
    EXPECT_EQ(WriteFileSafely(target, Bytes("new page")), WriteStatus::CannotCreate);
    EXPECT_EQ(ReadFileText(target), "old page");
}
#endif
