#include "lock/key_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "lock/recovery_key.h"

namespace {

// Small costs keep the tests quick; the cost is stored in each slot, so the file is the
// same kind of file as with the defaults.
constexpr Argon2Cost kQuick = {64, 1, 1};

bool SameKey(const DiaryKey& a, const DiaryKey& b) { return std::ranges::equal(a.Bytes(), b.Bytes()); }

NewKeyFile QuickKeyFile(std::string_view password) {
    NewKeyFile made = CreateKeyFile(password, kQuick, kQuick);
    EXPECT_EQ(made.status, KeyFileStatus::Ok);
    return made;
}

TEST(LockKeyFile, PasswordAndRecoveryKeyOpenTheSameKey) {
    const NewKeyFile made = QuickKeyFile("Tagebuch 日記");
    EXPECT_EQ(made.recoveryText.size(), 39u);  // eight groups of four and their dashes
    const UnlockedKey byPassword = UnlockWithPassword(made.bytes, "Tagebuch 日記");
    const UnlockedKey byRecovery = UnlockWithRecoveryKey(made.bytes, made.recoveryText);
    ASSERT_EQ(byPassword.status, KeyFileStatus::Ok);
    ASSERT_EQ(byRecovery.status, KeyFileStatus::Ok);
    EXPECT_TRUE(SameKey(byPassword.key, made.key));
    EXPECT_TRUE(SameKey(byRecovery.key, made.key));
    EXPECT_FALSE(SameKey(made.key, QuickKeyFile("Tagebuch 日記").key));  // each diary a key of its own
}

TEST(LockKeyFile, TellsAWrongPasswordFromADamagedFile) {
    const NewKeyFile made = QuickKeyFile("correct horse");
    for (const char* wrong : {"correct hors", "Correct horse", ""})
        EXPECT_EQ(UnlockWithPassword(made.bytes, wrong).status, KeyFileStatus::WrongPassword) << wrong;
    EXPECT_EQ(UnlockWithRecoveryKey(made.bytes, "0000-0000-0000-0000-0000-0000-0000-0000").status,
              KeyFileStatus::WrongRecoveryKey);
    EXPECT_EQ(UnlockWithRecoveryKey(made.bytes, "not a key").status, KeyFileStatus::WrongRecoveryKey);

    // Past the magic and version, any flipped bit or cut is damage, with the right password too.
    for (std::size_t at = 10; at < made.bytes.size(); ++at) {
        auto changed = made.bytes;
        changed[at] ^= static_cast<std::uint8_t>(1 << (at % 8));
        ASSERT_EQ(UnlockWithPassword(changed, "correct horse").status, KeyFileStatus::Damaged) << at;
        ASSERT_EQ(UnlockWithRecoveryKey(changed, made.recoveryText).status, KeyFileStatus::Damaged) << at;
    }
    for (std::size_t size : {std::size_t{0}, std::size_t{9}, made.bytes.size() / 2, made.bytes.size() - 1})
        EXPECT_EQ(UnlockWithPassword(std::span(made.bytes).first(size), "correct horse").status,
                  KeyFileStatus::Damaged);
    auto later = made.bytes;
    later[8] = 2;
    EXPECT_EQ(UnlockWithPassword(later, "correct horse").status, KeyFileStatus::UnknownVersion);
}

TEST(LockKeyFile, RecoveryKeyIsReadAsWrittenByHand) {
    const NewKeyFile made = QuickKeyFile("pw");
    std::string lower, spaced, confused;
    for (char c : made.recoveryText) {
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (c != '-') spaced += std::string(1, c) + (spaced.size() % 3 == 0 ? " " : "");
        confused += c == '1' ? 'l' : c == '0' ? 'O' : c;
    }
    std::string fullWidth;  // as a Japanese input method types it: U+FF10 and on, and U+FF0D
    for (char c : made.recoveryText) {
        const char32_t wide = static_cast<char32_t>(c) + 0xFEE0;
        fullWidth += {static_cast<char>(0xE0 | wide >> 12), static_cast<char>(0x80 | (wide >> 6 & 0x3F)),
                      static_cast<char>(0x80 | (wide & 0x3F))};
    }
    for (const std::string& typed : {lower, spaced, confused, fullWidth, " " + made.recoveryText + "- "}) {
        const UnlockedKey unlocked = UnlockWithRecoveryKey(made.bytes, typed);
        EXPECT_EQ(unlocked.status, KeyFileStatus::Ok) << typed;
        EXPECT_TRUE(SameKey(unlocked.key, made.key)) << typed;
    }
    // One symbol too few or too many, or one not of the alphabet, is no key.
    for (const std::string& typed :
         {made.recoveryText.substr(1), made.recoveryText + "0", "U" + made.recoveryText.substr(1)})
        EXPECT_FALSE(ParseRecoveryKey(typed).has_value()) << typed;
}

TEST(LockKeyFile, ChangingThePasswordKeepsTheKeyAndTheOtherSlots) {
    const NewKeyFile made = QuickKeyFile("old password");
    // A slot of a kind this version does not know, as a later one may write: kind 3, 5 bytes.
    std::vector<std::uint8_t> withUnknown(made.bytes.begin(), made.bytes.end() - kSha256Bytes);
    const std::vector<std::uint8_t> unknownSlot = {3, 0, 5, 0, 0, 0, 'D', 'P', 'A', 'P', 'I'};
    withUnknown.insert(withUnknown.end(), unknownSlot.begin(), unknownSlot.end());
    withUnknown[10 + 28] = 3;  // three slots now
    const auto digest = Sha256(withUnknown);
    withUnknown.insert(withUnknown.end(), digest.begin(), digest.end());
    ASSERT_EQ(UnlockWithPassword(withUnknown, "old password").status, KeyFileStatus::Ok);

    const RewrittenKeyFile changed = ChangePassword(withUnknown, made.key, "new password", kQuick);
    ASSERT_EQ(changed.status, KeyFileStatus::Ok);
    EXPECT_EQ(UnlockWithPassword(changed.bytes, "old password").status, KeyFileStatus::WrongPassword);
    const UnlockedKey byNew = UnlockWithPassword(changed.bytes, "new password");
    ASSERT_EQ(byNew.status, KeyFileStatus::Ok);
    EXPECT_TRUE(SameKey(byNew.key, made.key));
    EXPECT_TRUE(SameKey(UnlockWithRecoveryKey(changed.bytes, made.recoveryText).key, made.key));
    EXPECT_NE(std::ranges::search(changed.bytes, unknownSlot).begin(), changed.bytes.end());
    EXPECT_EQ(changed.bytes.size(), withUnknown.size());

    // Only this diary's key may write a slot, and never for an empty password.
    EXPECT_EQ(ChangePassword(changed.bytes, QuickKeyFile("x").key, "new", kQuick).status, KeyFileStatus::KeyMismatch);
    EXPECT_EQ(ChangePassword(changed.bytes, made.key, "", kQuick).status, KeyFileStatus::EmptyPassword);
    EXPECT_EQ(CreateKeyFile("", kQuick, kQuick).status, KeyFileStatus::EmptyPassword);
}

TEST(LockKeyFile, DefaultCostIsWhatTheSlotRecords) {
    // One derivation at the default cost (64 MiB): the library takes it, and a file made
    // with it opens.
    const NewKeyFile made = CreateKeyFile("pw");
    ASSERT_EQ(made.status, KeyFileStatus::Ok);
    EXPECT_GE(kPasswordCost.memoryKiB, 65536u);
    EXPECT_EQ(UnlockWithRecoveryKey(made.bytes, made.recoveryText).status, KeyFileStatus::Ok);
}

}  // namespace
