#include "snapshot_names.h"

#include <algorithm>
#include <cstdio>

#include "diarycore/calendar.h"
#include "platform/utf8.h"
#include "platform/utf16.h"

namespace {

constexpr std::u16string_view kPrefix = u"doodlebinder-";
constexpr std::u16string_view kSuffix = u".zip";

bool StartsWithFolded(std::u16string_view text, std::u16string_view start) {
    if (text.size() < start.size()) return false;
    for (std::size_t i = 0; i < start.size(); ++i)
        if (AsciiLower(text[i]) != start[i]) return false;
    return true;
}

std::optional<std::int32_t> DigitsAt(std::u16string_view text, std::size_t at, std::size_t count) {
    std::int32_t value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < u'0' || text[i] > u'9') return std::nullopt;
        value = value * 10 + (text[i] - u'0');
    }
    return value;
}

}  // namespace

std::u16string NameInFolder(const std::filesystem::path& path) {
    // Character by character: a POSIX name that is no UTF-8 must not stop a listing, and
    // the pattern's own characters are ASCII.
    const auto native = path.filename().native();
    return std::u16string(native.begin(), native.end());
}

std::string NameInUtf8(const std::filesystem::path& path) {
#ifdef _WIN32
    return EncodeUtf8(path.filename().u16string());
#else
    return path.filename().string();
#endif
}

std::u16string SnapshotName(const CivilTime& time) {
    char digits[32];
    std::snprintf(digits, sizeof digits, "%04d%02d%02d-%02d%02d%02d", static_cast<int>(time.year),
                  static_cast<int>(time.month), static_cast<int>(time.day), static_cast<int>(time.hour),
                  static_cast<int>(time.minute), static_cast<int>(time.second));
    std::u16string name(kPrefix);
    for (const char* c = digits; *c != '\0'; ++c) name += static_cast<char16_t>(*c);
    return name + std::u16string(kSuffix);
}

std::u16string SnapshotTimeText(const CivilTime& time) {
    char digits[32];
    std::snprintf(digits, sizeof digits, "%04d-%02d-%02d %02d:%02d", static_cast<int>(time.year),
                  static_cast<int>(time.month), static_cast<int>(time.day), static_cast<int>(time.hour),
                  static_cast<int>(time.minute));
    return std::u16string(digits, digits + std::char_traits<char>::length(digits));
}

std::optional<CivilTime> TimeOfSnapshotName(std::u16string_view name) {
    constexpr std::size_t kStamp = 15;  // YYYYMMDD-HHMMSS
    if (name.size() != kPrefix.size() + kStamp + kSuffix.size() || !StartsWithFolded(name, kPrefix) ||
        !StartsWithFolded(name.substr(kPrefix.size() + kStamp), kSuffix) || name[kPrefix.size() + 8] != u'-')
        return std::nullopt;
    const std::size_t at = kPrefix.size();
    const auto year = DigitsAt(name, at, 4), month = DigitsAt(name, at + 4, 2), day = DigitsAt(name, at + 6, 2);
    const auto hour = DigitsAt(name, at + 9, 2), minute = DigitsAt(name, at + 11, 2),
               second = DigitsAt(name, at + 13, 2);
    if (!year || !month || !day || !hour || !minute || !second) return std::nullopt;
    if (*month < 1 || *month > 12 || *day < 1 || static_cast<std::uint32_t>(*day) > DaysInMonth(*year, *month) ||
        *hour > 23 || *minute > 59 || *second > 60)
        return std::nullopt;
    return CivilTime{*year, *month, *day, *hour, *minute, *second};
}

std::vector<SnapshotFile> ListSnapshots(const std::filesystem::path& folder) {
    std::vector<SnapshotFile> snapshots;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::optional<CivilTime> time = TimeOfSnapshotName(NameInFolder(it->path()));
        std::error_code notRegular;
        if (time && it->is_regular_file(notRegular)) snapshots.push_back({it->path(), *time});
    }
    std::sort(snapshots.begin(), snapshots.end(), [](const SnapshotFile& a, const SnapshotFile& b) {
        return a.time != b.time ? a.time > b.time : a.path > b.path;
    });
    return snapshots;
}
