// The writer every file goes through never leaves half of one: the old file stays whole on
// every failure, which says why. with_linked_file.sh makes a link, a full disk and a
// read-only folder around these tests.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "file_read.h"
#include "file_replace.h"
#include "file_write.h"
#include "support/scratch_files.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

using Names = std::vector<std::string>;

// A process other than this test that runs while it does.
#ifdef _WIN32
unsigned long AnotherRunningProcess();  // with the Windows tests below
#else
unsigned long AnotherRunningProcess() { return static_cast<unsigned long>(getppid()); }
#endif

// What comes before a process's number in a temporary name: nothing for a Windows process
// (Wine's too), "p" for a POSIX one. The same folder gets both when the Linux exporter
// writes into a diary the program keeps under Wine.
#ifdef _WIN32
const std::string kThisSystem = "", kOtherSystem = "p";
#else
const std::string kThisSystem = "p", kOtherSystem = "";
#endif

// Fails one step: the write after some bytes (a full disk), the flush, or the replacing.
struct FailingSteps : FileWriteSteps {
    enum { Write, Finish, Replace } failing;
    explicit FailingSteps(decltype(failing) step) : failing(step) {}
    bool WriteBytes(std::FILE* file, std::span<const std::uint8_t> bytes) override {
        if (failing != Write) return FileWriteSteps::WriteBytes(file, bytes);
        FileWriteSteps::WriteBytes(file, bytes.first(bytes.size() / 2));
        return false;
    }
    bool FinishFile(std::FILE* file, Durability durability) override {
        return FileWriteSteps::FinishFile(file, durability) && failing != Finish;
    }
    bool PutInPlace(const fs::path& from, const fs::path& to, Durability durability, bool mayReplace) override {
        return failing != Replace && FileWriteSteps::PutInPlace(from, to, durability, mayReplace);
    }
};

}  // namespace

TEST(FileWrite, ReplacesWholeFilesAndKeepsTheOldOneOnEveryFailure) {
    ScratchFolder folder;
    const fs::path target = folder / "page.dbt";
    for (const char* text : {"first", "second, longer", ""}) {
        ASSERT_EQ(WriteFileSafely(target, BytesOf(text), Durability::Durable), WriteStatus::Ok);
        EXPECT_EQ(ReadFileText(target), text);
    }
    WriteFault why = WriteFault::Other;
    ASSERT_EQ(WriteFileSafely(target, BytesOf("old page"), Durability::Atomic, &why), WriteStatus::Ok);
    EXPECT_EQ(why, WriteFault::None);

    FailingSteps failWrite(FailingSteps::Write), failFinish(FailingSteps::Finish), failReplace(FailingSteps::Replace);
    EXPECT_EQ(WriteFileSafely(target, BytesOf("new page"), Durability::Durable, failWrite), WriteStatus::CannotWrite);
    EXPECT_EQ(WriteFileSafely(target, BytesOf("new page"), Durability::Durable, failFinish), WriteStatus::CannotWrite);
    EXPECT_EQ(WriteFileSafely(target, BytesOf("new page"), Durability::Durable, failReplace),
              WriteStatus::CannotReplace);
    EXPECT_EQ(WriteFileSafely(folder / "no such folder" / "x.dbt", BytesOf("x"), Durability::Atomic, &why),
              WriteStatus::CannotCreate);
    EXPECT_EQ(why, WriteFault::NoFolder);
    // A folder of the target's name is no file to replace: it stays, with what it holds.
    fs::create_directory(folder / "folder.dbt");
    WriteFileText(folder / "folder.dbt" / "kept.txt", "kept");
    EXPECT_EQ(WriteFileSafely(folder / "folder.dbt", BytesOf("x"), Durability::Durable, &why),
              WriteStatus::CannotReplace);
    EXPECT_EQ(why, WriteFault::NotAFile);
    EXPECT_EQ(ReadFileText(folder / "folder.dbt" / "kept.txt"), "kept");
    EXPECT_EQ(ReadFileText(target), "old page");
    EXPECT_EQ(NamesIn(folder.Path()), (Names{"folder.dbt", "page.dbt"})) << "a temporary file was left behind";
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

// A full disk shows in the write of a large file, and only at the flush for a small one
// that the C library held back; a read-only folder refuses the temporary file.
TEST(FileWrite, SaysWhyAFullDiskOrAReadOnlyFolderRefusedIt) {
    const std::optional<fs::path> full = HostPath("DOODLE_FULL_FOLDER"), readOnly = HostPath("DOODLE_READONLY_FOLDER");
    if (!full || !readOnly) GTEST_SKIP() << "the folders need root";
    WriteFault why = WriteFault::None;
    EXPECT_EQ(WriteFileSafely(*readOnly / "20261206.dbt", BytesOf("new text"), Durability::Durable, &why),
              WriteStatus::CannotCreate);
    EXPECT_EQ(why, WriteFault::NotWritable);

    const fs::path picture = *full / "20261206.bmp";
    WriteFileText(picture, "old picture");
    EXPECT_EQ(WriteFileSafely(picture, std::vector<std::uint8_t>(100000, 7), Durability::Durable, &why),
              WriteStatus::CannotWrite);
    EXPECT_EQ(why, WriteFault::DiskFull) << "a large write";
    FillDisk(*full / "filler");
    EXPECT_EQ(WriteFileSafely(picture, BytesOf("new picture"), Durability::Durable, &why), WriteStatus::CannotWrite);
    EXPECT_EQ(why, WriteFault::DiskFull) << "a small write";
    EXPECT_EQ(ReadFileText(picture), "old picture");
    EXPECT_EQ(NamesIn(*full), (Names{"20261206.bmp", "filler"}));
}

// The temporary name is short, so any name the disk takes can be written: 250 characters
// (POSIX bytes, where a Japanese name of them is cut between characters).
TEST(FileWrite, WritesTheLongestNamesTheDiskTakes) {
    ScratchFolder folder;
    std::vector<fs::path> targets{folder / (std::string(246, 'a') + ".jpg")};
#ifndef _WIN32
    std::string japanese;
    for (int i = 0; i < 82; ++i) japanese += "\xE6\x97\xA5";  // 日, three bytes
    targets.push_back(folder / (japanese + ".jpg"));
#endif
    for (const fs::path& target : targets) {
        for (const char* text : {"new", "replaced"}) {
            ASSERT_EQ(WriteFileSafely(target, BytesOf(text)), WriteStatus::Ok) << target.filename().string().size();
            EXPECT_EQ(ReadFileText(target), text);
        }
    }
    EXPECT_EQ(NamesIn(folder.Path()).size(), targets.size());
}

// The link is made on the host (Wine makes none): the file it names gets the bytes and,
// where the platform keeps them, keeps its permission bits.
TEST(FileWrite, WritesThroughALinkToTheFileItNames) {
    const std::optional<fs::path> link = HostPath("DOODLE_LINKED_FILE");
    if (!link) GTEST_SKIP() << "run by with_linked_file.sh";
    const fs::path named = link->parent_path() / "named" / "20261206.dbt";
    ASSERT_EQ(ReadFileText(named), "an older text");
    EXPECT_EQ(WriteFileSafely(*link, BytesOf("through the link"), Durability::Durable), WriteStatus::Ok);
    EXPECT_EQ(ReadFileText(named), "through the link") << "the link was replaced by a file of its own";
#ifndef _WIN32
    EXPECT_TRUE(fs::is_symlink(*link));
    EXPECT_EQ(fs::status(named).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
#endif
}

// Temporary files in a folder of the caller's, made on first use, used again and left
// empty; a file the caller's listing did not have, which appeared meanwhile, is kept.
TEST(FileWrite, TemporaryFilesInAFolderOfTheirOwn) {
    ScratchFolder folder;
    const fs::path temporaries = folder / ".doodlebinder" / "tmp";
    const WriteOptions options{Durability::Durable, temporaries, true};
    EXPECT_EQ(WriteFileSafely(folder / "20261206.dbt", BytesOf("first"), options), WriteStatus::Ok);
    EXPECT_EQ(WriteFileSafely(folder / "20261207.dbt", BytesOf("second"), options), WriteStatus::Ok);
    EXPECT_EQ(ReadFileText(folder / "20261207.dbt"), "second");
    WriteFault why = WriteFault::None;
    EXPECT_EQ(WriteFileSafely(folder / "20261206.dbt", BytesOf("over it"), options, &why), WriteStatus::CannotReplace);
    EXPECT_EQ(why, WriteFault::MadeMeanwhile);
    EXPECT_EQ(ReadFileText(folder / "20261206.dbt"), "first");
    EXPECT_TRUE(fs::is_empty(temporaries));
}

// A folder of the target's name is no file to replace: it stays, with what it holds.
TEST(FileWrite, NeverReplacesAFolder) {
    ScratchFolder folder;
    const fs::path target = folder / "doodlebinder.ini";
    fs::create_directory(target);
    WriteFileText(target / "kept.txt", "kept");
    WriteFault why = WriteFault::None;
    EXPECT_EQ(WriteFileSafely(target, BytesOf("zoom=2"), Durability::Durable, &why), WriteStatus::CannotReplace);
    EXPECT_EQ(why, WriteFault::NotAFile);
    EXPECT_EQ(ReadFileText(target / "kept.txt"), "kept");
}

// Only the diary's own temporary files are swept, those whose writer has ended or is this
// process, or untouched for ten minutes.
TEST(FileWrite, SweepsOnlyTheDiarysOwnLeftoversThatNoRunningProcessWrites) {
    ScratchFolder folder;
    const std::string running = kThisSystem + std::to_string(AnotherRunningProcess()), ended = kThisSystem + "4194304",
                      self = kThisSystem + std::to_string(CurrentProcessNumber());
    Names kept = {
        "20261206.dbt",  "20261206.bmp.tmp-" + running + "-3", "photo.tmp-1-1",     "budget.xlsx.tmp-20240501-1",
        "x.dbt.tmp-1-1", "mydiary.html.tmp-" + ended + "-0",   "20261206.dbt.tmp-1"};
    for (const std::string& name : kept) WriteFileText(folder / name, "keep");
    const std::string old = "20261207.dbt~.tmp-" + running + "-2";
    for (const std::string& name : {"20261206.dbt.tmp-" + ended + "-7", "20261206.BMP~.tmp-" + ended + "-1",
                                    "20261206.dbt.tmp-" + self + "-1", old})
        WriteFileText(folder / name, "x");
    fs::last_write_time(folder / old, fs::file_time_type::clock::now() - std::chrono::minutes(10));
    EXPECT_EQ(RemoveLeftoverTemporaryFiles(folder.Path()), 4);
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(NamesIn(folder.Path()), kept);

    // In the program's own folder an export's JPEGs are made too: any leftover of the
    // writer's is swept there, under the same rule; other names stay.
    const fs::path own = folder / ".doodlebinder" / "tmp";
    fs::create_directories(own);
    const Names ownKept = {"20261205.jpg.tmp-" + running + "-1", "notes.txt", "photo.tmp-1-x"};
    for (const std::string& name : ownKept) WriteFileText(own / name, "keep");
    for (const std::string& name : {"20261205.jpg.tmp-" + ended + "-4", "a.b.c.tmp-" + self + "-2"})
        WriteFileText(own / name, "x");
    EXPECT_EQ(RemoveLeftoverTemporaryFiles(own, LeftoverKinds::AnyFile), 2);
    EXPECT_EQ(NamesIn(own), ownKept);
}

// A process of the other system cannot be asked about: a number that names an ended
// process here, or this very one, may be a running export's there. Its files go by age
// alone, in the diary folder, in the program's own folder and by the index's names; so do
// the names earlier versions wrote on Linux, which had no mark.
TEST(FileWrite, SweepsAnotherSystemsTemporaryFilesByAgeAlone) {
    ScratchFolder folder;
    const std::string running = std::to_string(AnotherRunningProcess()), ended = "4194304",
                      self = std::to_string(CurrentProcessNumber());
    const fs::path own = folder / ".doodlebinder" / "tmp";
    fs::create_directories(own);
    const auto make = [](const fs::path& file, std::chrono::minutes age) {
        WriteFileText(file, "x");
        fs::last_write_time(file, fs::file_time_type::clock::now() - age);
    };
    Names young = {"20261206.dbt.tmp-" + kOtherSystem + ended + "-1", "20261206.bmp~.tmp-" + kOtherSystem + self + "-2",
                   "20261207.DBT.tmp-" + kOtherSystem + running + "-3"};
    const Names old = {"20261208.dbt.tmp-" + kOtherSystem + running + "-4",
                       "20261208.bmp.tmp-" + kOtherSystem + ended + "-5"};
    for (const std::string& name : young) make(folder / name, std::chrono::minutes(4));
    for (const std::string& name : old) make(folder / name, std::chrono::minutes(6));
    EXPECT_EQ(RemoveLeftoverTemporaryFiles(folder.Path()), 2);
    make(own / ("20261205.jpg.tmp-" + kOtherSystem + ended + "-6"), std::chrono::minutes(0));
    make(own / ("20261204.jpg.tmp-" + kOtherSystem + ended + "-7"), std::chrono::minutes(6));
    EXPECT_EQ(RemoveLeftoverTemporaryFiles(own, LeftoverKinds::AnyFile), 1);
    EXPECT_EQ(NamesIn(own), Names{"20261205.jpg.tmp-" + kOtherSystem + ended + "-6"});
    fs::remove_all(folder / ".doodlebinder");
    std::sort(young.begin(), young.end());
    EXPECT_EQ(NamesIn(folder.Path()), young);

    std::vector<std::u16string> listed;
    for (const std::string& name : young) listed.push_back(fs::path(name).u16string());
    EXPECT_TRUE(RemoveLeftoverTemporaryFiles(folder.Path(), listed).empty());
    make(folder / young[0], std::chrono::minutes(5));
    EXPECT_EQ(RemoveLeftoverTemporaryFiles(folder.Path(), listed), std::vector<std::u16string>{listed[0]});
}

#ifndef _WIN32
// The writer's own names, as a save cut short leaves them: the sweep keeps the file while
// its writer runs and removes it once that process has ended.
TEST(FileWrite, SweepsAWritersFileOnceThatProcessHasEnded) {
    ScratchFolder folder;
    const fs::path own = folder / ".doodlebinder" / "tmp";
    int toParent[2], toChild[2];
    ASSERT_EQ(pipe(toParent), 0);
    ASSERT_EQ(pipe(toChild), 0);
    const pid_t writer = fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
        // Ends without the destructors, as a killed program does.
        FileWriteSteps steps;
        PendingFile file(folder / "20261206.dbt", WriteOptions{Durability::Durable, own, false}, steps);
        const char written = file.Write("half a page") ? 'w' : 'f';
        char go = 0;
        if (write(toParent[1], &written, 1) != 1 || read(toChild[0], &go, 1) != 1) _exit(1);
        _exit(0);
    }
    char written = 0;
    ASSERT_EQ(read(toParent[0], &written, 1), 1);
    ASSERT_EQ(written, 'w');
    const Names names = NamesIn(own);
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(WriterOfDayFileTemporary(fs::path(names[0]).u16string()),
              (TemporaryWriter{static_cast<unsigned long>(writer), true}));
    EXPECT_EQ(RemoveLeftoverTemporaryFiles(own, LeftoverKinds::AnyFile), 0);
    ASSERT_EQ(write(toChild[1], "!", 1), 1);
    int status = 0;
    ASSERT_EQ(waitpid(writer, &status, 0), writer);
    EXPECT_EQ(NamesIn(own), names) << "the writer's end removed its file";
    EXPECT_EQ(RemoveLeftoverTemporaryFiles(own, LeftoverKinds::AnyFile), 1);
    EXPECT_TRUE(fs::is_empty(own));
    for (int end : {toParent[0], toParent[1], toChild[0], toChild[1]}) close(end);
}
#endif

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
#include <tlhelp32.h>

namespace {

// A process that outlives the test: the service manager, which runs for the whole session.
unsigned long AnotherRunningProcess() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    unsigned long found = 0;
    for (BOOL more = Process32FirstW(snapshot, &entry); more && !found; more = Process32NextW(snapshot, &entry))
        if (_wcsicmp(entry.szExeFile, L"services.exe") == 0) found = entry.th32ProcessID;
    CloseHandle(snapshot);
    return found;
}

}  // namespace

// Refused before anything is written, with its own words.
TEST(FileWrite, NeverReplacesAFileMarkedReadOnly) {
    ScratchFolder folder;
    const fs::path target = folder / "20261206.dbt";
    WriteFileText(target, "kept");
    ASSERT_TRUE(SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY));
    WriteFault why = WriteFault::None;
    EXPECT_EQ(WriteFileSafely(target, BytesOf("new"), Durability::Durable, &why), WriteStatus::CannotReplace);
    EXPECT_EQ(why, WriteFault::ReadOnlyFile);
    EXPECT_EQ(ReadFileText(target), "kept");
    EXPECT_EQ(NamesIn(folder.Path()), Names{"20261206.dbt"});
    SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Another program holding the file open without sharing for a moment, as a virus scanner
// or an indexer does, delays the replace but does not refuse it.
TEST(FileWrite, ReplaceWaitsForAProgramHoldingTheFile) {
    ScratchFolder folder;
    const fs::path target = folder / "20261206.bmp";
    WriteFileText(target, "old picture");
    HANDLE held = CreateFileW(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::thread release([held] {
        Sleep(400);
        CloseHandle(held);
    });
    EXPECT_EQ(WriteFileSafely(target, BytesOf("new picture"), Durability::Durable), WriteStatus::Ok);
    release.join();
    EXPECT_EQ(ReadFileText(target), "new picture");
}
#endif
