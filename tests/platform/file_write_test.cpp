// Writing a file never leaves half of it: the old file stays whole on every failure. Real
// full and read-only disks under the same writer: Cli.FullAndReadOnlyDisksKeepTheOldFiles.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "file_write.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace {

using Names = std::vector<std::string>;

std::vector<std::uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

// Fails the write after writing half, as a full disk would, or else the replacing.
struct FailingSteps : FileWriteSteps {
    bool failWrite = false;
    WriteStatus WriteNewFile(const fs::path& path, std::span<const std::uint8_t> bytes) override {
        if (!failWrite) return FileWriteSteps::WriteNewFile(path, bytes);
        WriteFileText(path, "half");
        return WriteStatus::CannotWrite;
    }
    bool ReplaceFile(const fs::path&, const fs::path&) override { return false; }
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

    FailingSteps failWrite, failReplace;
    failWrite.failWrite = true;
    EXPECT_EQ(WriteFileSafely(target, Bytes("new page"), failWrite), WriteStatus::CannotWrite);
    EXPECT_EQ(WriteFileSafely(target, Bytes("new page"), failReplace), WriteStatus::CannotReplace);
    EXPECT_EQ(WriteFileSafely(folder / "no such folder" / "x.dbt", Bytes("x")), WriteStatus::CannotCreate);
    EXPECT_EQ(ReadFileText(target), "old page");
    EXPECT_EQ(NamesIn(folder.Path()), Names{"page.dbt"}) << "a temporary file was left behind";
}
