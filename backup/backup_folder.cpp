#include "backup/backup_folder.h"

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

std::filesystem::path DefaultBackupFolder(const std::filesystem::path& localAppData,
                                          const std::filesystem::path& diary) {
    // "C:\Diary\" names the same folder as "C:\Diary": the name is the last part that has one.
    std::filesystem::path name = diary.lexically_normal().filename();
    if (name.empty()) name = diary.lexically_normal().parent_path().filename();
    if (name.empty()) name = u"Diary";   // a diary at the root of a drive
    return localAppData / u"Doodlebinder" / u"Backups" / name;
}
