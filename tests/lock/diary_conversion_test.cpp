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

constexpr Argon2Cost kQuick = {64, 1, 1};
constexpr const char* kPassword = "Nachtigall";
const std::string kSecretWord = "Kirschblüte";

ConversionOptions Quick() {
    ConversionOptions options;
    options.passwordCost = options.recoveryCost = kQuick;
    return options;
}

// A 4-bit picture as the program writes it: the file and info headers, then the pixels.
Bytes Picture(std::uint8_t seed) {
    Bytes bmp = {'B', 'M', 0xF6, 0x52, 0, 0, 0, 0, 0, 0, 118, 0, 0, 0, 40, 0,    0,    0, 0x08,
                 1,   0,   0,    160,  0, 0, 0, 1, 0, 4, 0,   0, 0, 0, 0,  0x80, 0x52, 0, 0};
    for (std::size_t i = bmp.size(); i < 21238; ++i) bmp.push_back(static_cast<std::uint8_t>(i * seed >> 3));
    return bmp;
}

const std::map<std::string, Bytes>& SampleDiary() {
    static const std::map<std::string, Bytes> files = {
        {"20261205.bmp", Picture(3)},
        {"20261205.dbt", BytesOf("DN\x01\x02 the first page, " + kSecretWord)},
        {"20261206.dbt", BytesOf("DN\x03\x01 a day without a drawing")},
        {"20261207.BMP", Picture(5)},
        {"20261207.dbt", BytesOf("DN\x02\x02 " + kSecretWord + " again")},
    };
    return files;
}

void PutDiary(const fs::path& folder, std::initializer_list<const char*> leaveOut = {}) {
    for (const auto& [name, bytes] : SampleDiary())
        if (std::ranges::find(leaveOut, name) == leaveOut.end()) WriteFileBytes(folder / name, bytes);
    WriteFileText(folder / "template.html", "<!for><!diary><!next>");  // not the conversion's
}

// Every file under the folder, by its path in it.
std::map<std::string, Bytes> Snapshot(const fs::path& folder) {
    std::map<std::string, Bytes> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file()) files[fs::relative(entry.path(), folder).string()] = ReadFileBytes(entry.path());
    return files;
}

bool FoundAnywhere(const fs::path& folder, std::span<const std::uint8_t> needle) {
    for (const auto& [name, bytes] : Snapshot(folder))
        if (std::ranges::search(bytes, needle).begin() != bytes.end()) return true;
    return false;
}

// Each day of the sample reads back as it was, plain or locked; where both are there they agree.
void ExpectEveryDayReadable(const fs::path& folder, std::initializer_list<const char*> leftOut = {}) {
    const OpenedDiaryKey key = OpenDiaryKey(folder, kPassword);
    for (const auto& [name, bytes] : SampleDiary()) {
        if (std::ranges::find(leftOut, name) != leftOut.end()) continue;
        const fs::path plain = folder / name, locked = folder / (name + ".locked");
        if (fs::exists(plain)) { EXPECT_EQ(ReadFileBytes(plain), bytes) << name; }
        if (!fs::exists(locked)) {
            EXPECT_TRUE(fs::exists(plain)) << name << " is gone";
            continue;
        }
        ASSERT_EQ(key.status, ConversionStatus::Ok) << name << " is locked and the key does not open";
        std::vector<std::uint8_t> opened;
        EXPECT_EQ(OpenLockedFileBytes(key.key, ParseDayFileName(fs::path(name).u16string())->Binding(),
                                      ReadFileBytes(locked), opened),
                  LockedFileStatus::Ok)
            << name;
        EXPECT_EQ(opened, bytes) << name;
    }
}

TEST(LockedNames, TellsDayFilesByDayKindAndLock) {
    const auto picture = ParseDayFileName(u"20240229.BMP.Locked");
    ASSERT_TRUE(picture.has_value());
    EXPECT_EQ(picture->day, 20240229u);
    EXPECT_EQ(picture->kind, LockedFileKind::Picture);
    EXPECT_TRUE(picture->locked);
    EXPECT_EQ(ParseDayFileName(u"20261207.dbt")->kind, LockedFileKind::Record);
    EXPECT_EQ(LockedNameOf(u"20261207.dbt"), u"20261207.dbt.locked");
    EXPECT_EQ(PlainNameOf(u"20261207.BMP.locked"), u"20261207.BMP");
    for (std::u16string_view other : {u"20230229.bmp", u"20261207.dbt~", u"20261207.bmp.locked.tmp-p4-1",
                                      u"20261207.jpg.locked", u"diary.key", u"20261207.locked"})
        EXPECT_FALSE(ParseDayFileName(other).has_value()) << fs::path(other).string();
    EXPECT_FALSE(LockedNameOf(u"20261207.dbt.locked").has_value());
    EXPECT_FALSE(PlainNameOf(u"20261207.dbt").has_value());
    EXPECT_EQ(KeyFilePath(u"diary"), fs::path(u"diary") / u".doodlebinder" / u"diary.key");
}

TEST(DiaryConversion, LocksNoPlainByteAwayAndUnlocksTheSameBytes) {
    ScratchFolder diary;
    PutDiary(diary.Path());
    const ConversionResult locked = LockDiary(diary.Path(), kPassword, Quick());
    ASSERT_EQ(locked.status, ConversionStatus::Ok);
    EXPECT_EQ(locked.converted, 5u);
    EXPECT_FALSE(locked.recoveryText.empty());
    ExpectEveryDayReadable(diary.Path());
    EXPECT_FALSE(FoundAnywhere(diary.Path(), BytesOf(kSecretWord)));
    EXPECT_FALSE(FoundAnywhere(diary.Path(), std::span(SampleDiary().at("20261207.BMP")).first(54)));
    for (const auto& [name, bytes] : SampleDiary()) EXPECT_FALSE(fs::exists(diary / name)) << name;

    // Wrong keys change nothing; a second lock finds nothing to do and makes no new key.
    const auto before = Snapshot(diary.Path());
    EXPECT_EQ(UnlockDiary(diary.Path(), "nachtigall").status, ConversionStatus::WrongPassword);
    EXPECT_EQ(LockDiary(diary.Path(), "Amsel", Quick()).status, ConversionStatus::WrongPassword);
    const ConversionResult again = LockDiary(diary.Path(), kPassword, Quick());
    EXPECT_EQ(again.status, ConversionStatus::Ok);
    EXPECT_EQ(again.converted, 0u);
    EXPECT_TRUE(again.recoveryText.empty());
    EXPECT_EQ(Snapshot(diary.Path()), before);

    const OpenedDiaryKey key = OpenDiaryKeyWithRecoveryKey(diary.Path(), locked.recoveryText);
    ASSERT_EQ(key.status, ConversionStatus::Ok);
    const ConversionResult unlocked = UnlockDiary(diary.Path(), key.key);
    EXPECT_EQ(unlocked.status, ConversionStatus::Ok);
    EXPECT_EQ(unlocked.converted, 5u);
    for (const auto& [name, bytes] : SampleDiary()) EXPECT_EQ(ReadFileBytes(diary / name), bytes) << name;
    EXPECT_FALSE(fs::exists(KeyFilePath(diary.Path().u16string())));
    for (const auto& [name, bytes] : Snapshot(diary.Path())) EXPECT_EQ(name.find(".locked"), std::string::npos);
}

TEST(DiaryConversion, LeavesDamageAsItIsAndNamesIt) {
    ScratchFolder diary, copy;
    PutDiary(diary.Path());
    ASSERT_EQ(LockDiary(diary.Path(), kPassword, Quick()).status, ConversionStatus::Ok);
    const fs::path keyFile = KeyFilePath(diary.Path().u16string());
    const fs::path damaged = diary / "20261206.dbt.locked";
    Bytes flipped = ReadFileBytes(damaged);
    flipped[30] ^= 0x10;
    WriteFileBytes(damaged, flipped);

    // The copy holds every day but the damaged one, and the diary stays as it was.
    const auto before = Snapshot(diary.Path());
    const ConversionResult copied =
        DecryptDiaryTo(diary.Path(), OpenDiaryKey(diary.Path(), kPassword).key, copy / "plain");
    EXPECT_EQ(copied.status, ConversionStatus::FilesLeft);
    EXPECT_EQ(copied.damaged, std::vector<std::u16string>{u"20261206.dbt.locked"});
    EXPECT_EQ(Snapshot(diary.Path()), before);
    ExpectEveryDayReadable(copy / "plain", {"20261206.dbt"});
    EXPECT_FALSE(fs::exists(copy / "plain" / "20261206.dbt"));

    // A damaged key file is told from a wrong password and changes nothing.
    const Bytes key = ReadFileBytes(keyFile);
    Bytes brokenKey = key;
    brokenKey[40] ^= 1;
    WriteFileBytes(keyFile, brokenKey);
    EXPECT_EQ(UnlockDiary(diary.Path(), kPassword).status, ConversionStatus::Damaged);
    EXPECT_EQ(LockDiary(diary.Path(), kPassword, Quick()).status, ConversionStatus::Damaged);
    // Without its key file, the diary is not locked again under a new key.
    fs::remove(keyFile);
    WriteFileBytes(diary / "20261208.dbt", BytesOf("DN a new day"));
    EXPECT_EQ(LockDiary(diary.Path(), kPassword, Quick()).status, ConversionStatus::NoKeyFile);
    EXPECT_EQ(UnlockDiary(diary.Path(), kPassword).status, ConversionStatus::NoKeyFile);
    fs::remove(diary / "20261208.dbt");
    WriteFileBytes(keyFile, key);
    EXPECT_EQ(Snapshot(diary.Path()), before);

    const ConversionResult unlocked = UnlockDiary(diary.Path(), kPassword);
    EXPECT_EQ(unlocked.status, ConversionStatus::FilesLeft);
    EXPECT_EQ(unlocked.converted, 4u);
    EXPECT_EQ(unlocked.damaged, std::vector<std::u16string>{u"20261206.dbt.locked"});
    EXPECT_EQ(ReadFileBytes(damaged), flipped);
    EXPECT_TRUE(fs::exists(keyFile));
    ExpectEveryDayReadable(diary.Path(), {"20261206.dbt"});

    // With its plain page put back beside it, the damaged file is locked anew from that.
    WriteFileBytes(diary / "20261206.dbt", SampleDiary().at("20261206.dbt"));
    EXPECT_EQ(LockDiary(diary.Path(), kPassword, Quick()).status, ConversionStatus::Ok);
    EXPECT_FALSE(fs::exists(diary / "20261206.dbt"));
    ExpectEveryDayReadable(diary.Path());
}

// The writer's steps, failing or the process killed at one step, counted over a whole run.
struct TroubleAtStep : FileWriteSteps {
    int at = 0;
    bool kill = false;
    int calls = 0;

    bool Trouble() {
        if (++calls != at) return false;
        errno = ENOSPC;
        return true;
    }
    void KillAfter() {
#ifndef _WIN32
        if (kill) std::raise(SIGKILL);
#endif
    }
    std::FILE* CreateNewFile(const fs::path& path) override {
        if (!Trouble()) return FileWriteSteps::CreateNewFile(path);
        if (!kill) return nullptr;
        std::FILE* file = FileWriteSteps::CreateNewFile(path);
        KillAfter();
        return file;
    }
    bool WriteBytes(std::FILE* file, std::span<const std::uint8_t> bytes) override {
        if (!Trouble()) return FileWriteSteps::WriteBytes(file, bytes);
        if (!kill) return false;
        FileWriteSteps::WriteBytes(file, bytes.first(bytes.size() / 2));
        KillAfter();
        return false;
    }
    bool FinishFile(std::FILE* file, Durability durability) override {
        const bool trouble = Trouble();
        const bool finished = FileWriteSteps::FinishFile(file, durability);
        if (trouble) KillAfter();
        return finished && !trouble;
    }
    bool PutInPlace(const fs::path& from, const fs::path& to, Durability durability, bool mayReplace) override {
        if (!Trouble()) return FileWriteSteps::PutInPlace(from, to, durability, mayReplace);
        if (!kill) return false;
        FileWriteSteps::PutInPlace(from, to, durability, mayReplace);
        KillAfter();
        return false;
    }
};

// A run in each direction stopped at each step of the writer, then run again to its end.
void StopAtEachStep(bool kill) {
    for (bool locking : {true, false}) {
        for (int step = 1;; ++step) {
            SCOPED_TRACE(std::string(locking ? "locking" : "unlocking") + " stopped at step " + std::to_string(step));
            ScratchFolder diary;
            PutDiary(diary.Path());
            if (!locking) { ASSERT_EQ(LockDiary(diary.Path(), kPassword, Quick()).status, ConversionStatus::Ok); }
            TroubleAtStep trouble;
            trouble.at = step;
            trouble.kill = kill;
            ConversionOptions options = Quick();
            options.steps = &trouble;
            const auto run = [&] {
                return locking ? LockDiary(diary.Path(), kPassword, options)
                               : UnlockDiary(diary.Path(), kPassword, options);
            };
            bool reached = true, stopped = true;  // the step came; the run stopped there
#ifndef _WIN32
            if (kill) {
                const pid_t child = fork();
                if (child == 0) _exit(run().status == ConversionStatus::Ok ? 0 : 1);
                int how = 0;
                ASSERT_EQ(waitpid(child, &how, 0), child);
                reached = stopped = !WIFEXITED(how);
                ASSERT_TRUE(stopped ? WTERMSIG(how) == SIGKILL : WEXITSTATUS(how) == 0);
            }
#endif
            if (!kill) {
                // A temporary file that cannot be made in the temporary folder is made beside
                // its target instead: that failure alone stops nothing.
                const ConversionResult result = run();
                reached = trouble.calls >= step;
                stopped = result.status != ConversionStatus::Ok;
                if (stopped) {
                    EXPECT_EQ(result.status, ConversionStatus::CannotWrite);
                    EXPECT_FALSE(result.file.empty());
                }
            }
            ExpectEveryDayReadable(diary.Path());
            options.steps = nullptr;
            if (stopped) { ASSERT_EQ(run().status, ConversionStatus::Ok); }
            ExpectEveryDayReadable(diary.Path());
            for (const auto& [name, bytes] : SampleDiary()) EXPECT_EQ(fs::exists(diary / name), !locking) << name;
            if (!reached || ::testing::Test::HasFailure()) break;
        }
    }
}

TEST(DiaryConversion, AFailedWriteAtAnyStepStopsWithEveryDayReadable) { StopAtEachStep(false); }

#ifndef _WIN32
TEST(DiaryConversion, AKillAtAnyStepLeavesEveryDayReadable) { StopAtEachStep(true); }

TEST(DiaryConversion, AFullDiskStopsWithEveryDayReadable) {
    if (geteuid() != 0) GTEST_SKIP() << "mounting a small disk needs root";
    ScratchFolder scratch;
    const fs::path diary = scratch / "diary";
    fs::create_directories(diary);
    if (std::system(("mount -t tmpfs -o size=64k tmpfs '" + diary.string() + "' 2>/dev/null").c_str()) != 0)
        GTEST_SKIP() << "no tmpfs can be mounted here";
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
