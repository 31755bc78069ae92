#include "lock/diary_conversion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <map>
#ifndef _WIN32
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "lock/locked_names.h"
#include "support/scratch_files.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kPassword = "Nachtigall";
const std::string kSecretWord = "Kirschblüte";
using Names = std::initializer_list<const char*>;

ConversionOptions Quick() {
    ConversionOptions options;
    options.passwordCost = options.recoveryCost = {64, 1, 1};
    return options;
}

// A 4-bit picture as the program writes it: "BM", the file and info headers, the pixels.
Bytes Picture(std::uint8_t seed) {
    Bytes bmp = {'B', 'M', 0xF6, 0x52, 0, 0, 0, 0,   0, 0, 118, 0, 0, 0, 40,
                 0,   0,   0,    0x08, 1, 0, 0, 160, 0, 0, 0,   1, 0, 4};
    for (std::size_t i = bmp.size(); i < 21238; ++i) bmp.push_back(static_cast<std::uint8_t>(i * seed >> 3));
    return bmp;
}

const std::map<std::string, Bytes> kDiary = {
    {"20261205.bmp", Picture(3)},
    {"20261205.dbt", BytesOf("DN\x01\x02 the first page, " + kSecretWord)},
    {"20261206.dbt", BytesOf("DN\x03\x01 a day without a drawing")},
    {"20261207.BMP", Picture(5)},
    {"20261207.dbt", BytesOf("DN\x02\x02 " + kSecretWord + " again")},
};

void PutDiary(const fs::path& folder, Names leaveOut = {}) {
    for (const auto& [name, bytes] : kDiary)
        if (std::ranges::find(leaveOut, name) == leaveOut.end()) WriteFileBytes(folder / name, bytes);
    WriteFileText(folder / "template.html", "<!for><!diary><!next>");  // not the conversion's
}

// Each day reads back as it was, plain or locked; where both are there they agree.
void ExpectEveryDayReadable(const fs::path& folder, Names leftOut = {}) {
    const OpenedDiaryKey key = OpenDiaryKey(folder, kPassword);
    for (const auto& [name, bytes] : kDiary) {
        if (std::ranges::find(leftOut, name) != leftOut.end()) continue;
        const fs::path plain = folder / name, locked = folder / (name + ".locked");
        EXPECT_TRUE(fs::exists(plain) || fs::exists(locked)) << name << " is gone";
        EXPECT_TRUE(!fs::exists(plain) || ReadFileBytes(plain) == bytes) << name;
        if (!fs::exists(locked)) continue;
        ASSERT_EQ(key.status, ConversionStatus::Ok) << name << " is locked and no key opens";
        std::vector<std::uint8_t> opened;
        const FileBinding binding = ParseDayFileName(fs::path(name).u16string())->Binding();
        EXPECT_EQ(OpenLockedFileBytes(key.key, binding, ReadFileBytes(locked), opened), LockedFileStatus::Ok) << name;
        EXPECT_EQ(opened, bytes) << name;
    }
}

TEST(LockedNames, TellsDayFilesByDayKindAndLock) {
    const auto picture = ParseDayFileName(u"20240229.BMP.Locked");
    ASSERT_TRUE(picture.has_value());
    EXPECT_EQ(picture->Binding().day, 20240229u);
    EXPECT_EQ(picture->Binding().kind, LockedFileKind::Picture);
    EXPECT_EQ(ParseDayFileName(u"20261207.dbt")->kind, LockedFileKind::Record);
    EXPECT_EQ(LockedNameOf(u"20261207.dbt"), u"20261207.dbt.locked");
    EXPECT_EQ(PlainNameOf(u"20261207.BMP.locked"), u"20261207.BMP");
    EXPECT_FALSE(LockedNameOf(u"20261207.dbt.locked") || PlainNameOf(u"20261207.dbt"));
    for (std::u16string_view other : {u"20230229.bmp", u"20261207.dbt~", u"20261207.bmp.locked.tmp-p4-1",
                                      u"20261207.jpg.locked", u"diary.key", u"20261207.locked"})
        EXPECT_FALSE(ParseDayFileName(other).has_value()) << fs::path(other).string();
}

TEST(DiaryConversion, LocksNoPlainByteAwayAndUnlocksTheSameBytes) {
    ScratchFolder diary;
    PutDiary(diary.Path());
    // Copies of pages under names of their own are sealed where they lie; a file of the
    // user's that only starts with a date is not the diary's.
    const std::map<std::string, Bytes> copies = {
        {"20261207 (1).dbt", kDiary.at("20261207.dbt")},
        {"20261205.bmp.orig", kDiary.at("20261205.bmp")},
        {".doodlebinder/LAPTOP/20261205.dbt~", kDiary.at("20261205.dbt")},
        {".doodlebinder/merged/20261205.kept-20261208-101500.dbt", kDiary.at("20261205.dbt")},
        {"20261207.bmp.jpg", BytesOf(kSecretWord)},
    };
    for (const auto& [name, bytes] : copies) {
        fs::create_directories((diary / name).parent_path());
        WriteFileBytes(diary / name, bytes);
    }
    const ConversionResult locked = LockDiary(diary.Path(), kPassword, Quick());
    ASSERT_EQ(locked.status, ConversionStatus::Ok);
    EXPECT_EQ(locked.converted, 5u);
    ExpectEveryDayReadable(diary.Path());
    const Bytes header(kDiary.at("20261207.BMP").begin(), kDiary.at("20261207.BMP").begin() + 29);
    for (const auto& [name, bytes] : FilesUnder(diary.Path())) {
        if (name == "20261207.bmp.jpg") continue;
        EXPECT_EQ(std::ranges::search(bytes, BytesOf(kSecretWord)).begin(), bytes.end()) << name;
        EXPECT_EQ(std::ranges::search(bytes, header).begin(), bytes.end()) << name;
        EXPECT_FALSE(kDiary.contains(name)) << name;
    }

    // Wrong keys change nothing; a second lock finds nothing to do and makes no new key.
    const auto before = FilesUnder(diary.Path());
    EXPECT_EQ(UnlockDiary(diary.Path(), "nachtigall").status, ConversionStatus::WrongPassword);
    EXPECT_EQ(LockDiary(diary.Path(), "Amsel", Quick()).status, ConversionStatus::WrongPassword);
    const ConversionResult again = LockDiary(diary.Path(), kPassword, Quick());
    EXPECT_EQ(again.status, ConversionStatus::Ok);
    EXPECT_EQ(again.converted, 0u);
    EXPECT_TRUE(again.recoveryText.empty());
    EXPECT_EQ(FilesUnder(diary.Path()), before);

    const OpenedDiaryKey key = OpenDiaryKeyWithRecoveryKey(diary.Path(), locked.recoveryText);
    ASSERT_EQ(key.status, ConversionStatus::Ok);
    const ConversionResult unlocked = UnlockDiary(diary.Path(), key.key);
    EXPECT_EQ(unlocked.status, ConversionStatus::Ok);
    EXPECT_EQ(unlocked.converted, 5u);
    auto plain = kDiary;
    plain.insert(copies.begin(), copies.end());
    plain["template.html"] = BytesOf("<!for><!diary><!next>");
    EXPECT_EQ(FilesUnder(diary.Path()), plain);  // the key file gone too
}

TEST(DiaryConversion, LeavesDamageAsItIsAndNamesIt) {
    ScratchFolder diary, copy;
    PutDiary(diary.Path());
    ASSERT_EQ(LockDiary(diary.Path(), kPassword, Quick()).status, ConversionStatus::Ok);
    const fs::path keyFile = KeyFilePath(diary.Path().u16string()), damaged = diary / "20261206.dbt.locked";
    Bytes flipped = ReadFileBytes(damaged);
    flipped[30] ^= 0x10;
    WriteFileBytes(damaged, flipped);
    const std::vector<std::u16string> named = {u"20261206.dbt.locked"};

    // The copy holds every other day, and the diary stays as it was.
    const auto before = FilesUnder(diary.Path());
    const ConversionResult copied = DecryptDiaryTo(diary.Path(), OpenDiaryKey(diary.Path(), kPassword).key, copy / "c");
    EXPECT_EQ(copied.status, ConversionStatus::FilesLeft);
    EXPECT_EQ(copied.damaged, named);
    EXPECT_EQ(FilesUnder(diary.Path()), before);
    ExpectEveryDayReadable(copy / "c", {"20261206.dbt"});
    EXPECT_EQ(FilesUnder(copy / "c").size(), 4u);

    // A damaged key file is told from a wrong password; without one, no new key is made.
    const Bytes key = ReadFileBytes(keyFile);
    WriteFileBytes(keyFile, std::span(key).first(key.size() - 1));
    EXPECT_EQ(UnlockDiary(diary.Path(), kPassword).status, ConversionStatus::Damaged);
    EXPECT_EQ(LockDiary(diary.Path(), kPassword, Quick()).status, ConversionStatus::Damaged);
    fs::remove(keyFile);
    EXPECT_EQ(LockDiary(diary.Path(), kPassword, Quick()).status, ConversionStatus::NoKeyFile);
    EXPECT_EQ(UnlockDiary(diary.Path(), kPassword).status, ConversionStatus::NoKeyFile);
    WriteFileBytes(keyFile, key);
    EXPECT_EQ(FilesUnder(diary.Path()), before);

    const ConversionResult unlocked = UnlockDiary(diary.Path(), kPassword);
    EXPECT_EQ(unlocked.status, ConversionStatus::FilesLeft);
    EXPECT_EQ(unlocked.converted, 4u);
    EXPECT_EQ(unlocked.damaged, named);
    EXPECT_EQ(ReadFileBytes(damaged), flipped);
    EXPECT_TRUE(fs::exists(keyFile));
    ExpectEveryDayReadable(diary.Path(), {"20261206.dbt"});

    // With its plain page put back beside it, the damaged file is locked anew from that.
    WriteFileBytes(diary / "20261206.dbt", kDiary.at("20261206.dbt"));
    EXPECT_EQ(LockDiary(diary.Path(), kPassword, Quick()).status, ConversionStatus::Ok);
    EXPECT_FALSE(fs::exists(diary / "20261206.dbt"));
    ExpectEveryDayReadable(diary.Path());
}

// The writer's steps with trouble at one step of a run: it fails for want of space, or
// the process is killed once it is done.
struct TroubleAtStep : FileWriteSteps {
    int at = 0, calls = 0;
    bool kill = false;

    template <typename Step>
    auto Take(Step step) {
        const bool here = ++calls == at;
        if (here && !kill) {
            errno = ENOSPC;
            return decltype(step()){};
        }
        auto done = step();
#ifndef _WIN32
        if (here) std::raise(SIGKILL);
#endif
        return done;
    }
    std::FILE* CreateNewFile(const fs::path& path) override {
        return Take([&] { return FileWriteSteps::CreateNewFile(path); });
    }
    bool WriteBytes(std::FILE* file, std::span<const std::uint8_t> bytes) override {
        return Take([&] { return FileWriteSteps::WriteBytes(file, bytes); });
    }
    bool FinishFile(std::FILE* file, Durability durability) override {
        const bool finished = FileWriteSteps::FinishFile(file, durability);  // closed either way
        return Take([&] { return finished; });
    }
    bool PutInPlace(const fs::path& from, const fs::path& to, Durability durability, bool mayReplace) override {
        return Take([&] { return FileWriteSteps::PutInPlace(from, to, durability, mayReplace); });
    }
};

// A run each way stopped at each of its writer's steps in turn, then run again to its end.
void StopAtEachStep(bool kill) {
    for (bool locking : {true, false}) {
        bool reached = true;  // the run came to the step
        for (int step = 1; reached && !::testing::Test::HasFailure(); ++step) {
            SCOPED_TRACE((locking ? "locking, step " : "unlocking, step ") + std::to_string(step));
            ScratchFolder diary;
            PutDiary(diary.Path());
            ASSERT_TRUE(locking || LockDiary(diary.Path(), kPassword, Quick()).status == ConversionStatus::Ok);
            TroubleAtStep trouble;
            trouble.at = step;
            trouble.kill = kill;
            ConversionOptions options = Quick();
            options.steps = &trouble;
            const auto run = [&] {
                return locking ? LockDiary(diary.Path(), kPassword, options)
                               : UnlockDiary(diary.Path(), kPassword, options);
            };
            bool stopped = false;
#ifndef _WIN32
            if (kill) {
                const pid_t child = fork();
                if (child == 0) _exit(run().status == ConversionStatus::Ok ? 0 : 1);
                int how = 0;
                ASSERT_EQ(waitpid(child, &how, 0), child);
                reached = stopped = WIFSIGNALED(how);
                ASSERT_TRUE(stopped ? WTERMSIG(how) == SIGKILL : WEXITSTATUS(how) == 0);
            }
#endif
            if (!kill) {
                // A temporary file not made in the temporary folder is made beside its
                // target instead: that failure alone stops nothing.
                const ConversionResult result = run();
                reached = trouble.calls >= step;
                stopped = result.status != ConversionStatus::Ok;
                EXPECT_TRUE(!stopped || (result.status == ConversionStatus::CannotWrite && !result.file.empty()));
            }
            ExpectEveryDayReadable(diary.Path());
            options.steps = nullptr;
            ASSERT_TRUE(!stopped || run().status == ConversionStatus::Ok);
            ExpectEveryDayReadable(diary.Path());
            for (const auto& [name, bytes] : kDiary) EXPECT_EQ(fs::exists(diary / name), !locking) << name;
        }
    }
}

TEST(DiaryConversion, AFailedWriteAtAnyStepStopsWithEveryDayReadable) { StopAtEachStep(false); }

#ifndef _WIN32
TEST(DiaryConversion, AKillAtAnyStepLeavesEveryDayReadable) { StopAtEachStep(true); }

TEST(DiaryConversion, AFullDiskStopsWithEveryDayReadable) {
    ScratchFolder scratch;
    const fs::path diary = scratch / "diary";
    fs::create_directories(diary);
    if (geteuid() != 0 || std::system(("mount -t tmpfs -o size=64k tmpfs '" + diary.string() + "'").c_str()) != 0)
        GTEST_SKIP() << "no small disk can be mounted here";
    PutDiary(diary, {"20261206.dbt"});  // two pictures and two records: 56 KiB of pages
    const ConversionResult result = LockDiary(diary, kPassword, Quick());
    EXPECT_EQ(result.status, ConversionStatus::CannotWrite);
    EXPECT_EQ(result.writeFault, WriteFault::DiskFull);
    EXPECT_TRUE(ParseDayFileName(result.file).has_value()) << fs::path(result.file).string();
    ExpectEveryDayReadable(diary, {"20261206.dbt"});
    std::system(("umount '" + diary.string() + "'").c_str());
}
#endif

}  // namespace
