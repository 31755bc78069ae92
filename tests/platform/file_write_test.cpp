// Writing a file never leaves half of it: the old file stays whole on every failure.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "file_write.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class FileWrite : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("doodle-write-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }
    std::size_t FilesInFolder() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
    }
    fs::path folder_;
};

// Fails one step on purpose, after doing part of the work as a full disk would.
struct FailingSteps : FileWriteSteps {
    bool failWrite = false;
    bool failReplace = false;
    WriteStatus WriteNewFile(const fs::path& path, std::span<const std::uint8_t> bytes) override {
        if (!failWrite) return FileWriteSteps::WriteNewFile(path, bytes);
        std::ofstream(path, std::ios::binary) << "half";
        return WriteStatus::CannotWrite;
    }
    bool ReplaceFile(const fs::path& from, const fs::path& to) override {
        return !failReplace && FileWriteSteps::ReplaceFile(from, to);
    }
};

}  // namespace

TEST_F(FileWrite, WritesNewAndReplacesOldFiles) {
    fs::path target = folder_ / "20260102.dbt";
    ASSERT_EQ(WriteFileSafely(target, Bytes("first")), WriteStatus::Ok);
    EXPECT_EQ(ReadAll(target), "first");
    ASSERT_EQ(WriteFileSafely(target, Bytes("second, longer")), WriteStatus::Ok);
    EXPECT_EQ(ReadAll(target), "second, longer");
    ASSERT_EQ(WriteFileSafely(target, Bytes("")), WriteStatus::Ok);
    EXPECT_EQ(ReadAll(target), "");
    EXPECT_EQ(FilesInFolder(), 1u) << "a temporary file was left behind";
}

TEST_F(FileWrite, FailuresKeepTheOldFileAndLeaveNoTemporaryFile) {
    fs::path target = folder_ / "page.bmp";
    ASSERT_EQ(WriteFileSafely(target, Bytes("old page")), WriteStatus::Ok);

    FailingSteps failWrite;
    failWrite.failWrite = true;
    EXPECT_EQ(WriteFileSafely(target, Bytes("new page"), failWrite), WriteStatus::CannotWrite);
    EXPECT_EQ(ReadAll(target), "old page");
    EXPECT_EQ(FilesInFolder(), 1u);

    FailingSteps failReplace;
    failReplace.failReplace = true;
    EXPECT_EQ(WriteFileSafely(target, Bytes("new page"), failReplace), WriteStatus::CannotReplace);
    EXPECT_EQ(ReadAll(target), "old page");
    EXPECT_EQ(FilesInFolder(), 1u);
}

TEST_F(FileWrite, MissingFolderCannotBeCreated) {
    EXPECT_EQ(WriteFileSafely(folder_ / "no such folder" / "x.dbt", Bytes("x")), WriteStatus::CannotCreate);
}

#ifndef _WIN32
#include <sys/mount.h>
#include <unistd.h>

// Real failures of the file system: a read-only folder and a full disk.
class MountedFolder : public FileWrite {
protected:
    bool Mount(const char* type, const char* options) {
        mountPoint_ = folder_ / "mnt";
        fs::create_directories(mountPoint_);
        mounted_ = ::mount(type, mountPoint_.c_str(), type, 0, options) == 0;
        return mounted_;
    }
    void TearDown() override {
        if (mounted_) ::umount2(mountPoint_.c_str(), MNT_DETACH);
        FileWrite::TearDown();
    }
    fs::path mountPoint_;
    bool mounted_ = false;
};

TEST_F(MountedFolder, FullDiskKeepsTheOldFile) {
    if (!Mount("tmpfs", "size=64k")) GTEST_SKIP() << "mounting needs root";
    fs::path target = mountPoint_ / "page.dbt";
    ASSERT_EQ(WriteFileSafely(target, Bytes("old page")), WriteStatus::Ok);
    std::vector<std::uint8_t> big(256 * 1024, 'x');
    EXPECT_EQ(WriteFileSafely(target, big), WriteStatus::CannotWrite);
    EXPECT_EQ(ReadAll(target), "old page");
    EXPECT_EQ(std::distance(fs::directory_iterator(mountPoint_), fs::directory_iterator()), 1);
}

TEST_F(MountedFolder, ReadOnlyFolderKeepsTheOldFile) {
    if (!Mount("tmpfs", "size=64k")) GTEST_SKIP() << "mounting needs root";
    fs::path target = mountPoint_ / "page.dbt";
    ASSERT_EQ(WriteFileSafely(target, Bytes("old page")), WriteStatus::Ok);
    ASSERT_EQ(::mount(nullptr, mountPoint_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
    EXPECT_EQ(WriteFileSafely(target, Bytes("new page")), WriteStatus::CannotCreate);
    EXPECT_EQ(ReadAll(target), "old page");
}
#endif
