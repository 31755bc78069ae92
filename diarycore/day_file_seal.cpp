#include "diarycore/day_file_seal.h"

#include <map>
#include <mutex>
#include <string>

#include "platform/utf16.h"

namespace fs = std::filesystem;

namespace {

// The diaries open with a seal, by their folder as a key: the program has one diary open,
// the console one per run, the tests a few; the export's and the snapshot's worker threads
// ask from beside the window's thread.
struct SealedDiaries {
    std::mutex mutex;
    std::map<std::u16string, std::shared_ptr<const DayFileSeal>> seals;
};

SealedDiaries& Sealed() {
    static SealedDiaries sealed;
    return sealed;
}

// One spelling of a folder: its parts as written, a separator of either kind, and letters
// in any case, as Windows finds a folder.
std::u16string FolderKey(const fs::path& folder) {
    std::u16string key = folder.lexically_normal().generic_u16string();
    while (key.size() > 1 && key.back() == u'/') key.pop_back();
    for (char16_t& c : key) c = AsciiLower(c);
    return key;
}

}  // namespace

void UseDayFileSeal(const fs::path& diary, std::shared_ptr<const DayFileSeal> seal) {
    SealedDiaries& sealed = Sealed();
    const std::lock_guard hold(sealed.mutex);
    sealed.seals[FolderKey(diary)] = std::move(seal);
}

void DropDayFileSeal(const fs::path& diary) {
    SealedDiaries& sealed = Sealed();
    const std::lock_guard hold(sealed.mutex);
    sealed.seals.erase(FolderKey(diary));
}

std::shared_ptr<const DayFileSeal> DayFileSealOf(const fs::path& diary) {
    SealedDiaries& sealed = Sealed();
    const std::lock_guard hold(sealed.mutex);
    const auto found = sealed.seals.find(FolderKey(diary));
    return found != sealed.seals.end() ? found->second : nullptr;
}

std::shared_ptr<const DayFileSeal> DayFileSealFor(const fs::path& file) {
    SealedDiaries& sealed = Sealed();
    const std::lock_guard hold(sealed.mutex);
    if (sealed.seals.empty()) return nullptr;
    // The day files lie in the diary folder; their recovery copies, set-aside versions and
    // temporary files at most three folders down (".doodlebinder\<computer>\tmp").
    fs::path folder = file.parent_path();
    for (int depth = 0; depth < 4 && !folder.empty(); ++depth) {
        const auto found = sealed.seals.find(FolderKey(folder));
        if (found != sealed.seals.end()) return found->second;
        if (folder == folder.parent_path()) break;
        folder = folder.parent_path();
    }
    return nullptr;
}
