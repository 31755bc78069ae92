// Writing a file never leaves half of it: the old file stays whole on every failure. Real
// full and read-only disks under the same writer: Cli.FullAndReadOnlyDisksKeepTheOldFiles;
// permission bits and links kept: Cli.ReplacedFilesKeepTheirModeAndLinks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "file_read.h"
#include "file_write.h"
#include "test_support.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace fs = std::filesystem;

namespace {

using Names = std::vector<std::string>;

std::vector<std::uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

// Fails one step on purpose: the write after some bytes went out (a full disk), the
// flush, or the replacing.
struct FailingSteps : FileWriteSteps {
    enum { Write, Finish, Replace } failing;
    explicit FailingSteps(decltype(failing) step) : failing(step) {}
    bool WriteBytes(std::FILE* file, std::span<const std::uint8_t> bytes) override {
        if (failing != Write) return FileWriteSteps::WriteBytes(file, bytes);
        FileWriteSteps::WriteBytes(file, bytes.first(bytes.size() / 2));
        return false;
    }
    bool FinishFile(std::FILE* file, Durability durability) override {
        bool ok = FileWriteSteps::FinishFile(file, durability);
        return ok && failing != Finish;
    }
    bool ReplaceFile(const fs::path& from, const fs::path& to, Durability durability) override {
        return failing != Replace && FileWriteSteps::ReplaceFile(from, to, durability);
    }
};

}  // namespace

TEST(FileWrite, ReplacesWholeFilesAndKeepsTheOldOneOnEveryFailure) {
    ScratchFolder folder;
    const fs::path target = folder / "page.dbt";
    for (const char* text : {"first", "second, longer", ""}) {
        ASSERT_EQ(WriteFileSafely(target, Bytes(text), Durability::Durable), WriteStatus::Ok);
        EXPECT_EQ(ReadFileText(target), text);
    }
    ASSERT_EQ(WriteFileSafely(target, Bytes("old page")), WriteStatus::Ok);

    FailingSteps failWrite(FailingSteps::Write), failFinish(FailingSteps::Finish), failReplace(FailingSteps::Replace);
    EXPECT_EQ(WriteFileSafely(target, Bytes("new page"), Durability::Durable, failWrite), WriteStatus::CannotWrite);
    EXPECT_EQ(WriteFileSafely(target, Bytes("new page"), Durability::Durable, failFinish), WriteStatus::CannotWrite);
    EXPECT_EQ(WriteFileSafely(target, Bytes("new page"), Durability::Durable, failReplace), WriteStatus::CannotReplace);
    EXPECT_EQ(WriteFileSafely(folder / "no such folder" / "x.dbt", Bytes("x")), WriteStatus::CannotCreate);
    EXPECT_EQ(ReadFileText(target), "old page");
    EXPECT_EQ(NamesIn(folder.Path()), Names{"page.dbt"}) << "a temporary file was left behind";
}

TEST(FileWrite, PendingFileWritesPiecesAndTouchesNothingUntilCommitted) {
    ScratchFolder folder;
    const fs::path target = folder / "mydiary.html";
    WriteFileText(target, "old document");
    {
        PendingFile file(target, Durability::Atomic);
        EXPECT_TRUE(file.Write("<html>"));
        EXPECT_EQ(ReadFileText(target), "old document");
        // Dropped without Commit, as a refused template is.
    }
    EXPECT_EQ(NamesIn(folder.Path()), Names{"mydiary.html"});
    {
        PendingFile file(target, Durability::Atomic);
        for (const char* piece : {"<html>", "<body>", "</html>"}) file.Write(piece);
        EXPECT_EQ(file.Commit(), WriteStatus::Ok);
    }
    EXPECT_EQ(ReadFileText(target), "<html><body></html>");
    FailingSteps failWrite(FailingSteps::Write);
    PendingFile file(target, Durability::Atomic, failWrite);
    EXPECT_FALSE(file.Write("<html>"));
    EXPECT_FALSE(file.Write("more")) << "writes after a failure are ignored";
    EXPECT_EQ(file.Commit(), WriteStatus::CannotWrite);
    EXPECT_EQ(ReadFileText(target), "<html><body></html>");
}

TEST(FileWrite, OnlyTheWritersOwnLeftoversAreRemoved) {
    ScratchFolder folder;
    const Names kept = {"20261206.bmp~", "20261206.dbt", "notes.tmp", "notes.tmp-1", "x.tmp-1-2a"};
    for (const std::string& name : kept) WriteFileText(folder / name, "keep");
    for (const char* name : {"20261206.dbt.tmp-41-7", "mydiary.html.tmp-1-0"}) WriteFileText(folder / name, "x");
    EXPECT_EQ(RemoveLeftoverTemporaryFiles(folder.Path()), 2);
    EXPECT_EQ(NamesIn(folder.Path()), kept);
}

TEST(FileRead, TellsAMissingFileFromOneThatCannotBeRead) {
    ScratchFolder folder;
    std::vector<std::uint8_t> bytes{1, 2, 3};
    EXPECT_EQ(ReadFileBytes(folder / "none.dbt", bytes), ReadStatus::Missing);
    EXPECT_TRUE(bytes.empty());
    EXPECT_EQ(ReadFileBytes(folder.Path(), bytes), ReadStatus::NotAFile);
    std::string big(100000, 'x');
    WriteFileText(folder / "big.dbt", big);
    ASSERT_EQ(ReadFileBytes(folder / "big.dbt", bytes), ReadStatus::Ok);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), big);
#ifndef _WIN32
    // Permissions mean nothing to root; a file behind a name that is no folder does.
    EXPECT_EQ(ReadFileBytes(folder / "big.dbt" / "inner", bytes), ReadStatus::Missing);
    // A pipe of a day's name is no file, and no reader waits for a writer to it.
    ASSERT_EQ(mkfifo((folder / "20261206.bmp").c_str(), 0600), 0);
    EXPECT_EQ(ReadFileBytes(folder / "20261206.bmp", bytes), ReadStatus::NotAFile);
    EXPECT_FALSE(CanOpenFile(folder / "20261206.bmp"));
#endif
}

#ifdef _WIN32
#include <windows.h>

// Run as a second process by the test below: holds the file named in its environment
// open without sharing for a moment, as a virus scanner or an indexer does.
TEST(FileWriteHolder, HoldsTheNamedFileForAMoment) {
    wchar_t path[MAX_PATH];
    if (!GetEnvironmentVariableW(L"DOODLE_HOLD_FILE", path, MAX_PATH)) GTEST_SKIP() << "run by ReplaceWaitsForAProgramHoldingTheFile";
    HANDLE file = CreateFileW(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    WriteFileText(fs::path(path).concat(L".held"), "held");
    Sleep(400);
    CloseHandle(file);
}

TEST(FileWrite, ReplaceWaitsForAProgramHoldingTheFile) {
    ScratchFolder folder;
    const fs::path target = folder / "20261206.bmp";
    WriteFileText(target, "old picture");
    SetEnvironmentVariableW(L"DOODLE_HOLD_FILE", target.c_str());
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring commandLine = L"\"" + std::wstring(self) + L"\" --gtest_filter=FileWriteHolder.*";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION holder{};
    ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &holder));
    SetEnvironmentVariableW(L"DOODLE_HOLD_FILE", nullptr);
    for (int wait = 0; wait < 200 && !fs::exists(fs::path(target).concat(".held")); ++wait) Sleep(25);
    ASSERT_TRUE(fs::exists(fs::path(target).concat(".held")));

    EXPECT_EQ(WriteFileSafely(target, Bytes("new picture"), Durability::Durable), WriteStatus::Ok);
    EXPECT_EQ(ReadFileText(target), "new picture");
    WaitForSingleObject(holder.hProcess, 10000);
    CloseHandle(holder.hThread);
    CloseHandle(holder.hProcess);
}
#endif
