#include "backup/backup_folder.h"

#include <cstdint>
#include <cstdio>
#include <string>

namespace {
constexpr const char* kBackupFolderKey = "backup_folder";
}

std::optional<std::filesystem::path> ChosenBackupFolder(const Settings& settings) {
    const std::optional<std::u16string> text = settings.Text(kBackupFolderKey);
    if (!text || text->empty()) return std::nullopt;
    return std::filesystem::path(*text);
}

void KeepBackupFolder(Settings& settings, const std::filesystem::path& folder) {
    settings.SetText(kBackupFolderKey, folder.u16string());
}

std::filesystem::path DefaultBackupFolder(const std::filesystem::path& localAppData, const std::filesystem::path& diary,
                                          std::string_view identity) {
    // "C:\Diary\" names the same folder as "C:\Diary": the name is the last part that has one.
    std::filesystem::path whole = diary.lexically_normal();
    if (whole.filename().empty() && whole.has_relative_path()) whole = whole.parent_path();
    std::filesystem::path name = whole.filename();
    if (name.empty()) name = u"Diary";  // a diary at the root of a drive
    std::string digits(identity.substr(0, 8));
    if (digits.empty()) {
        // FNV-1a of the path's units, letters folded as the disk finds them.
        std::uint32_t hash = 2166136261u;
        for (char16_t unit : whole.u16string()) {
            const char16_t folded = unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit | 0x20) : unit;
            hash = (hash ^ folded) * 16777619u;
        }
        char hex[9];
        std::snprintf(hex, sizeof hex, "%08x", static_cast<unsigned>(hash));
        digits = hex;
    }
    name += u"-" + std::u16string(digits.begin(), digits.end());
    return localAppData / u"Doodlebinder" / u"Backups" / name;
}
