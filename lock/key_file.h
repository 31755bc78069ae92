// The key file of a locked diary (.doodlebinder\diary.key): the diary key, which is
// random and never stored as it is, wrapped once in each of the file's slots. A slot
// holds the key sealed (AES-256-GCM-SIV) with a key derived by Argon2id from what opens
// it, with that derivation's salt and cost, so the cost can grow in later files:
//   - the password's slot;
//   - the recovery key's slot, made when the diary is locked and shown once;
//   - kinds this version does not know (a later "remember on this computer"), kept byte
//     for byte when the file is written again and otherwise passed over.
// A SHA-256 of the whole file ends it, so a file changed by the disk or a copy is told
// apart from a password that does not open an intact slot. Changing the password writes
// a new password slot only: the diary key, and so every day file, stays as it is.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "lock/crypto_calls.h"
#include "lock/diary_key.h"

enum class KeyFileStatus {
    Ok,
    WrongPassword,      // the file is intact and no password slot opens with it
    WrongRecoveryKey,   // the same for the recovery key (or the text is no recovery key)
    Damaged,            // the file is cut short, changed or not a key file
    UnknownVersion,     // written by a later version of the program
    NoSuchSlot,         // the file has no slot of the kind asked for
    KeyMismatch,        // the key given is not this diary's key
    EmptyPassword,      // a password cannot be empty
    CryptoUnavailable,  // the cryptographic library could not run or had no memory
};

// 64 MiB that a guessing machine must pay for each guess, and about half a second of an
// unlock: bench/lock-cost measured 0.4 to 0.6 s for four passes on one lane, on a busy
// two-core build machine, natively and under Wine alike; a second lane was no faster.
inline constexpr Argon2Cost kPasswordCost = {65536, 4, 1};
// The recovery key is 160 random bits, not a word to guess: a small cost suffices.
inline constexpr Argon2Cost kRecoveryCost = {8192, 1, 1};

struct NewKeyFile {
    KeyFileStatus status = KeyFileStatus::CryptoUnavailable;
    std::vector<std::uint8_t> bytes;  // the key file to store
    DiaryKey key;                     // the new diary's key
    std::string recoveryText;         // to be shown once and written down
};

struct UnlockedKey {
    KeyFileStatus status = KeyFileStatus::Damaged;
    DiaryKey key;  // the diary key when the status is Ok
};

struct RewrittenKeyFile {
    KeyFileStatus status = KeyFileStatus::Damaged;
    std::vector<std::uint8_t> bytes;  // the key file to store when the status is Ok
};

// A new diary key with its key file. The password is UTF-8.
NewKeyFile CreateKeyFile(std::string_view password, const Argon2Cost& passwordCost = kPasswordCost,
                         const Argon2Cost& recoveryCost = kRecoveryCost);

UnlockedKey UnlockWithPassword(std::span<const std::uint8_t> keyFile, std::string_view password);
// The text as the user typed it: see ParseRecoveryKey for what it forgives.
UnlockedKey UnlockWithRecoveryKey(std::span<const std::uint8_t> keyFile, std::string_view recoveryText);

// Ok when the key is the one the file wraps (a key remembered elsewhere, checked before it
// is used); KeyMismatch when it is not; Damaged when the file cannot say.
KeyFileStatus CheckKeyOfFile(std::span<const std::uint8_t> keyFile, const DiaryKey& key);

// The key file with the password slot made anew for newPassword (the old one gone), every
// other slot kept as it was. key is the diary key, as an unlock by the old password or by
// the recovery key gave it.
RewrittenKeyFile ChangePassword(std::span<const std::uint8_t> keyFile, const DiaryKey& key,
                                std::string_view newPassword, const Argon2Cost& cost = kPasswordCost);
