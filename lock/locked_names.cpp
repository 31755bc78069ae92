#include "lock/locked_names.h"

#include <algorithm>

#include "diarycore/kept_originals.h"
#include "diarycore/pages_in_folder.h"
#include "diarycore/recovery_files.h"
#include "platform/utf16.h"

namespace {

bool EndsWithIgnoringCase(std::u16string_view text, std::u16string_view lower) {
    return text.size() >= lower.size() && std::ranges::equal(text.substr(text.size() - lower.size()), lower,
                                                             [](char16_t c, char16_t l) { return AsciiLower(c) == l; });
}

// Where "." followed by `extension` (three lower-case letters) stands in the name from
// `from` on, in any letter case.
std::size_t FindExtension(std::u16string_view name, std::size_t from, std::u16string_view extension) {
    for (std::size_t at = from; at + 4 <= name.size(); ++at) {
        if (name[at] != u'.') continue;
        bool same = true;
        for (std::size_t i = 0; i < 3; ++i) same = same && AsciiLower(name[at + 1 + i]) == extension[i];
        if (same) return at;
    }
    return std::u16string_view::npos;
}

}  // namespace

FileBinding BindingOfStoredName(std::u16string_view name) {
    FileBinding binding;
    if (name.size() < 12) return binding;
    std::uint32_t day = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        if (name[i] < u'0' || name[i] > u'9') return binding;
        day = day * 10 + static_cast<std::uint32_t>(name[i] - u'0');
    }
    const std::size_t record = FindExtension(name, 8, u"dbt");
    const std::size_t picture = FindExtension(name, 8, u"bmp");
    if (record == picture) return binding;  // neither
    binding.day = day;
    binding.kind = record < picture ? LockedFileKind::Record : LockedFileKind::Picture;
    return binding;
}

bool IsPageCopyName(std::u16string_view name) {
    if (ParseDayFileName(name) || BindingOfStoredName(name).day == 0) return false;
    for (std::u16string_view end :
         {kOriginalPictureSuffix, kDamagedRecordSuffix, kLockedSuffix, std::u16string_view(u"~")}) {
        if (name.size() > end.size() && EndsWithIgnoringCase(name, end)) name.remove_suffix(end.size());
    }
    return EndsWithIgnoringCase(name, u".dbt") || EndsWithIgnoringCase(name, u".bmp");
}

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
