#include "lock/locked_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lock/crypto_calls.h"

namespace {

DiaryKey TestKey(std::uint8_t fill) {
    std::array<std::uint8_t, kDiaryKeyBytes> bytes;
    bytes.fill(fill);
    return DiaryKey(bytes);
}

std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

const FileBinding kDay = {20261208, LockedFileKind::Record};

TEST(LockedFile, OpensWhatItLockedForTheSameDayAndKind) {
    const DiaryKey key = TestKey(7);
    for (const auto& plain : {Bytes(""), Bytes("DN a day's record"), std::vector<std::uint8_t>(21 * 1024, 0x5A)}) {
        const auto locked = LockFileBytes(key, kDay, plain);
        ASSERT_TRUE(locked.has_value());
        EXPECT_TRUE(IsLockedFileBytes(*locked));
        EXPECT_EQ(locked->size(), plain.size() + kLockedFileOverhead);
        std::vector<std::uint8_t> opened;
        ASSERT_EQ(OpenLockedFileBytes(key, kDay, *locked, opened), LockedFileStatus::Ok);
        EXPECT_EQ(opened, plain);
    }
}

TEST(LockedFile, TwoLocksOfTheSameBytesDiffer) {
    const auto plain = Bytes("the same page twice");
    EXPECT_NE(LockFileBytes(TestKey(7), kDay, plain), LockFileBytes(TestKey(7), kDay, plain));
}

TEST(LockedFile, AnotherDayKindOrKeyIsDamaged) {
    const auto locked = *LockFileBytes(TestKey(7), kDay, Bytes("DN 8 December"));
    const struct {
        DiaryKey key;
        FileBinding binding;
    } others[] = {
        {TestKey(7), {20261209, LockedFileKind::Record}},
        {TestKey(7), {0, LockedFileKind::Record}},
        {TestKey(7), {20261208, LockedFileKind::Picture}},
        {TestKey(8), kDay},
    };
    for (const auto& other : others) {
        std::vector<std::uint8_t> opened;
        EXPECT_EQ(OpenLockedFileBytes(other.key, other.binding, locked, opened), LockedFileStatus::Damaged);
        EXPECT_TRUE(opened.empty());
    }
}

TEST(LockedFile, AnyFlippedBitOrCutIsDamaged) {
    const DiaryKey key = TestKey(7);
    const auto locked = *LockFileBytes(key, kDay, Bytes("DN a short record"));
    std::vector<std::uint8_t> opened;
    // Past the magic (a changed magic is a plain file) and the version.
    for (std::size_t at = 9; at < locked.size(); ++at) {
        for (int bit = 0; bit < 8; ++bit) {
            auto changed = locked;
            changed[at] ^= static_cast<std::uint8_t>(1 << bit);
            ASSERT_EQ(OpenLockedFileBytes(key, kDay, changed, opened), LockedFileStatus::Damaged) << at << ":" << bit;
        }
    }
    for (std::size_t size = 8; size < locked.size(); ++size) {
        ASSERT_EQ(OpenLockedFileBytes(key, kDay, std::span(locked).first(size), opened), LockedFileStatus::Damaged)
            << size;
    }
}

TEST(LockedFile, TellsPlainFilesAndLaterVersions) {
    const DiaryKey key = TestKey(7);
    std::vector<std::uint8_t> opened;
    for (const auto& plain : {Bytes(""), Bytes("BM\x36\x04"), Bytes("DN record"), Bytes("weekstart=monday\r\n")}) {
        EXPECT_FALSE(IsLockedFileBytes(plain));
        EXPECT_EQ(OpenLockedFileBytes(key, kDay, plain, opened), LockedFileStatus::NotLocked);
    }
    auto later = *LockFileBytes(key, kDay, Bytes("DN record"));
    later[8] = 2;
    EXPECT_EQ(OpenLockedFileBytes(key, kDay, later, opened), LockedFileStatus::UnknownVersion);
}

}  // namespace
