#include "lock/locked_names.h"

#include "diarycore/pages_in_folder.h"
#include "diarycore/recovery_files.h"

namespace {

bool EndsWithIgnoringCase(std::u16string_view text, std::u16string_view lower) {
    if (text.size() < lower.size()) return false;
    text.remove_prefix(text.size() - lower.size());
    for (std::size_t i = 0; i < lower.size(); ++i) {
        char16_t c = text[i];
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
        if (c != lower[i]) return false;
    }
    return true;
}

}  // namespace

std::optional<DayFileNameParts> ParseDayFileName(std::u16string_view name) {
    DayFileNameParts parsed;
    if (EndsWithIgnoringCase(name, kLockedSuffix)) {
        parsed.locked = true;
        name.remove_suffix(kLockedSuffix.size());
    }
    const std::int32_t day = DayOfPageFileName(std::filesystem::path(name));
    if (day <= 0) return std::nullopt;
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
