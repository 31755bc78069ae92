// The diary's key and the other secrets of a locked diary: fixed-size bytes that wipe
// themselves when they go, so that a key does not outlive its use in freed memory.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

inline constexpr std::size_t kDiaryKeyBytes = 32;  // AES-256

// Overwrites the bytes in a way the compiler may not leave out as a dead store.
void WipeSecret(std::span<std::uint8_t> bytes);

class DiaryKey {
public:
    DiaryKey() = default;
    explicit DiaryKey(std::span<const std::uint8_t, kDiaryKeyBytes> bytes);
    DiaryKey(const DiaryKey&) = default;
    DiaryKey& operator=(const DiaryKey&) = default;
    ~DiaryKey() { WipeSecret(bytes_); }

    std::span<const std::uint8_t, kDiaryKeyBytes> Bytes() const { return bytes_; }
    std::span<std::uint8_t, kDiaryKeyBytes> MutableBytes() { return bytes_; }

private:
    std::array<std::uint8_t, kDiaryKeyBytes> bytes_{};
};
