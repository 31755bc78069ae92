#include "backup/diary_identity.h"

#include <chrono>
#include <cstdint>
#include <random>

namespace {

constexpr const char* kIdentityKey = "diary_id";
constexpr std::size_t kIdentityDigits = 32;

bool IsIdentity(std::u16string_view text) {
    if (text.size() != kIdentityDigits) return false;
    for (char16_t c : text) {
        if (!((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f'))) return false;
    }
    return true;
}

}  // namespace

std::optional<std::string> DiaryIdentityIn(const Settings& settings) {
    const std::optional<std::u16string> text = settings.Text(kIdentityKey);
    if (!text || !IsIdentity(*text)) return std::nullopt;
    return std::string(text->begin(), text->end());
}

std::optional<std::string> KnownDiaryIdentity(const std::filesystem::path& diary) {
    return DiaryIdentityIn(ReadSettings(diary));
}

IdentityStatus ObtainDiaryIdentity(const std::filesystem::path& diary, std::string& identity, WriteFault* why) {
    identity.clear();
    Settings settings = ReadSettings(diary);
    if (settings.FromUnreadableFile()) return IdentityStatus::Unreadable;
    if (std::optional<std::string> known = DiaryIdentityIn(settings)) {
        identity = *known;
        return IdentityStatus::Ok;
    }
    const std::string made = NewDiaryIdentity();
    settings.SetText(kIdentityKey, std::u16string(made.begin(), made.end()));
    if (WriteSettings(diary, settings, why) != WriteStatus::Ok) return IdentityStatus::CannotKeep;
    identity = made;
    return IdentityStatus::Ok;
}

std::string NewDiaryIdentity() {
    // The clock goes in beside the system's random numbers: a random source that is no
    // better than a fixed sequence must still not give two diaries one identity.
    std::random_device device;
    std::seed_seq seed{device(),
                       device(),
                       device(),
                       device(),
                       static_cast<unsigned>(std::chrono::high_resolution_clock::now().time_since_epoch().count()),
                       static_cast<unsigned>(std::chrono::system_clock::now().time_since_epoch().count() >> 32)};
    std::mt19937_64 generator(seed);
    constexpr char kDigits[] = "0123456789abcdef";
    std::string identity;
    for (int half = 0; half < 2; ++half) {
        std::uint64_t bits = generator();
        for (int i = 0; i < 16; ++i, bits >>= 4) identity += kDigits[bits & 15];
    }
    return identity;
}
