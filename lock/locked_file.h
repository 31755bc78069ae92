// A day file, or another small file of the diary, as it is stored in a locked diary: a
// short header (magic, version, the kind of file), a fresh random nonce and the whole
// file sealed with the diary key by AES-256-GCM-SIV. The day and the kind are bound into
// the seal, so a locked file copied or renamed to another day or kind does not open.
// Opening costs one pass of the cipher over the file and no key derivation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "lock/diary_key.h"

// The number of each kind is stored in the file: numbers are never reused.
enum class LockedFileKind : std::uint8_t {
    Picture = 1,   // the day's .bmp
    Record = 2,    // the day's .dbt
    Settings = 3,  // the diary's settings file
    Other = 4,     // any other small file of the diary folder
};

struct FileBinding {
    std::uint32_t day = 0;  // YYYYMMDD, or 0 for a file of no day
    LockedFileKind kind = LockedFileKind::Other;
};

enum class LockedFileStatus {
    Ok,
    NotLocked,          // no locked file's magic: a plain file, to be read as it is
    Damaged,            // cut short, changed, or made for another day, kind or key
    UnknownVersion,     // locked by a later version of the program
    CryptoUnavailable,  // the cryptographic library could not run
};

inline constexpr std::size_t kLockedFileOverhead = 8 + 1 + 1 + 12 + 16;  // header, nonce, tag

bool IsLockedFileBytes(std::span<const std::uint8_t> bytes);

// The locked file's bytes, each call with a nonce of its own; nothing when the library
// could not run.
std::optional<std::vector<std::uint8_t>> LockFileBytes(const DiaryKey& key, const FileBinding& binding,
                                                       std::span<const std::uint8_t> plain);

// plain holds the file's own bytes only when the status is Ok, and is empty otherwise.
LockedFileStatus OpenLockedFileBytes(const DiaryKey& key, const FileBinding& binding,
                                     std::span<const std::uint8_t> bytes, std::vector<std::uint8_t>& plain);
