// The diary key remembered for this Windows user: it comes back only from its own file,
// whole, and only for the key file that wraps it.
#include <gtest/gtest.h>

#include <algorithm>

#include "lock/key_file.h"
#include "lock/win32/remembered_key.h"
#include "platform/file_read.h"
#include "support/scratch_files.h"

namespace {

constexpr Argon2Cost kQuick = {64, 1, 1};

TEST(RememberedKey, ComesBackForItsOwnDiaryOnlyAndNeverLiesPlainOnTheDisk) {
    ScratchFolder folder;
    const NewKeyFile diary = CreateKeyFile("one", kQuick, kQuick);
    const NewKeyFile other = CreateKeyFile("two", kQuick, kQuick);
    ASSERT_EQ(diary.status, KeyFileStatus::Ok);
    const auto file = RememberedKeyPath(folder.Path() / L"computer");
    ASSERT_EQ(RememberDiaryKey(file, diary.key), WriteStatus::Ok);

    std::vector<std::uint8_t> stored;
    ASSERT_EQ(ReadFileBytes(file, stored), ReadStatus::Ok);
    const auto key = diary.key.Bytes();
    EXPECT_EQ(std::search(stored.begin(), stored.end(), key.begin(), key.end()), stored.end()) << "the key as it is";

    const auto recalled = RecallDiaryKey(file, diary.bytes);
    ASSERT_TRUE(recalled);
    EXPECT_TRUE(std::ranges::equal(recalled->Bytes(), key));
    EXPECT_FALSE(RecallDiaryKey(file, other.bytes)) << "a key remembered for the diary as it was locked before";

    std::vector<std::uint8_t> changed = stored;
    changed[changed.size() - 5] ^= 0x40;
    WriteFileBytes(file, changed);
    EXPECT_FALSE(RecallDiaryKey(file, diary.bytes));

    EXPECT_TRUE(ForgetDiaryKey(file));
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_FALSE(RecallDiaryKey(file, diary.bytes));
}

}  // namespace
