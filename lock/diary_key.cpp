#include "lock/diary_key.h"

#include <algorithm>

void WipeSecret(std::span<std::uint8_t> bytes) {
    // Stores through a volatile pointer are observable behaviour, so they stay even when
    // the bytes are never read again.
    volatile std::uint8_t* p = bytes.data();
    for (std::size_t i = 0; i < bytes.size(); ++i) p[i] = 0;
}

DiaryKey::DiaryKey(std::span<const std::uint8_t, kDiaryKeyBytes> bytes) { std::ranges::copy(bytes, bytes_.begin()); }
