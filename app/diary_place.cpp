#include "app/diary_place.h"

#include <cstdint>
#include <string>
#include <system_error>
#include <vector>

#include "diarycore/pages_in_folder.h"
#include "diarycore/settings.h"
#include "platform/file_read.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kDiaryKey = "diary";

bool IsFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

// The folder the choice file names, when it names one: a relative name would depend on
// the folder the program happened to start in, and is not taken.
std::optional<fs::path> ChosenFolder(const fs::path& choiceFile) {
    std::vector<std::uint8_t> bytes;
    if (ReadFileBytes(choiceFile, bytes) != ReadStatus::Ok) return std::nullopt;
    const std::optional<std::u16string> value = Settings(bytes).Text(kDiaryKey);
    if (!value || value->empty()) return std::nullopt;
    const fs::path folder(*value);
    if (!folder.is_absolute()) return std::nullopt;
    return folder;
}

}  // namespace

bool HoldsDiary(const fs::path& folder) {
    if (IsFile(folder / kSettingsFileName)) return true;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (DayOfPageFileName(it->path().filename()) != 0 && it->is_regular_file(error)) return true;
    }
    return false;
}

bool IsPortableProgramFolder(const fs::path& programFolder) {
    return IsFile(programFolder / kPortableMarkerName) || HoldsDiary(programFolder);
}

DiaryPlace FindDiaryPlace(const DiaryPlaceInputs& inputs) {
    DiaryPlace place;
    place.portable = !inputs.programFolder.empty() && IsPortableProgramFolder(inputs.programFolder);
    place.choiceFile = place.portable                ? inputs.programFolder / kPortableMarkerName
                       : inputs.userSettings.empty() ? fs::path()
                                                     : inputs.userSettings / kSettingsFileName;
    if (inputs.named) {
        place.kind = DiaryPlaceKind::Named;
        place.folder = fs::absolute(*inputs.named).lexically_normal();
        return place;
    }
    if (std::optional<fs::path> chosen = place.choiceFile.empty() ? std::nullopt : ChosenFolder(place.choiceFile)) {
        place.kind = DiaryPlaceKind::Chosen;
        place.folder = *chosen;
    } else if (place.portable) {
        place.kind = DiaryPlaceKind::Portable;
        place.folder = inputs.programFolder;
    } else {
        place.kind = DiaryPlaceKind::Documents;
        if (!inputs.documents.empty()) place.folder = inputs.documents / kDiaryFolderName;
    }
    return place;
}

WriteStatus KeepDiaryChoice(const fs::path& choiceFile, const fs::path& folder, WriteFault* why) {
    std::vector<std::uint8_t> bytes;
    const ReadStatus read = ReadFileBytes(choiceFile, bytes);
    // A file that is there but cannot be read would lose its other lines.
    if (read != ReadStatus::Ok && read != ReadStatus::Missing) {
        if (why) *why = read == ReadStatus::InUse ? WriteFault::InUse : WriteFault::Other;
        return WriteStatus::CannotReplace;
    }
    Settings settings(bytes);
    settings.SetText(kDiaryKey, folder.u16string());
    std::error_code error;
    fs::create_directories(choiceFile.parent_path(), error);
    return WriteFileSafely(choiceFile, settings.Bytes(), Durability::Durable, why);
}
