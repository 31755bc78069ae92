// The recovery key: 160 random bits the user writes down when the diary is locked, shown
// as 32 symbols of Crockford's base 32 in groups of four ("7K3M-...."). The alphabet has
// no I, L, O or U, so what is read back from paper is forgiving: any letter case, blanks
// and dashes anywhere, I and L taken for 1, O for 0, and the full-width forms an input
// method types.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "lock/diary_key.h"

inline constexpr std::size_t kRecoveryKeyBytes = 20;

class RecoveryKey {
public:
    RecoveryKey() = default;
    RecoveryKey(const RecoveryKey&) = default;
    RecoveryKey& operator=(const RecoveryKey&) = default;
    ~RecoveryKey() { WipeSecret(bytes_); }

    std::array<std::uint8_t, kRecoveryKeyBytes>& Bytes() { return bytes_; }
    const std::array<std::uint8_t, kRecoveryKeyBytes>& Bytes() const { return bytes_; }

private:
    std::array<std::uint8_t, kRecoveryKeyBytes> bytes_{};
};

// "XXXX-XXXX-XXXX-XXXX-XXXX-XXXX-XXXX-XXXX", upper case.
std::string RecoveryKeyText(const RecoveryKey& key);

// The key the text stands for; nothing when it is not 32 symbols of the alphabet once
// blanks and dashes are left out. The text is UTF-8.
std::optional<RecoveryKey> ParseRecoveryKey(std::string_view text);
