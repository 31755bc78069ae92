#include "lock/locked_names.h"

#include <algorithm>

#include "diarycore/pages_in_folder.h"
#include "diarycore/recovery_files.h"
#include "platform/utf16.h"

namespace {

bool EndsWithIgnoringCase(std::u16string_view text, std::u16string_view lower) {
    return text.size() >= lower.size() && std::ranges::equal(text.substr(text.size() - lower.size()), lower,
                                                             [](char16_t c, char16_t l) { return AsciiLower(c) == l; });
}

}  // namespace

std::optional<DayFileNameParts> ParseDayFileName(std::u16string_view name) {
    DayFileNameParts parsed;
    if (EndsWithIgnoringCase(name, kLockedSuffix)) {
        parsed.locked = true;
        name.remove_suffix(kLockedSuffix.size());
    }
    const std::int32_t day = DayOfPageFileName(std::filesystem::path(name));
    if (day <= 0 || IsLockedDayFileName(name)) return std::nullopt;
    parsed.day = static_cast<std::uint32_t>(day);
    parsed.kind = EndsWithIgnoringCase(name, u".bmp") ? LockedFileKind::Picture : LockedFileKind::Record;
    return parsed;
}

std::optional<std::u16string> LockedNameOf(std::u16string_view plainName) {
    const auto parsed = ParseDayFileName(plainName);
    if (!parsed || parsed->locked) return std::nullopt;
    return std::u16string(plainName) + std::u16string(kLockedSuffix);
}

std::optional<std::u16string> PlainNameOf(std::u16string_view lockedName) {
    const auto parsed = ParseDayFileName(lockedName);
    if (!parsed || !parsed->locked) return std::nullopt;
    return std::u16string(lockedName.substr(0, lockedName.size() - kLockedSuffix.size()));
}

std::filesystem::path KeyFilePath(std::u16string_view diary) { return WorkFolder(diary) / u"diary.key"; }
