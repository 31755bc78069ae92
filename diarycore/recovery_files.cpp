#include "diarycore/recovery_files.h"

#include <algorithm>
#include <set>
#include <system_error>

#include "diarycore/pages_in_folder.h"
#include "platform/computer_name.h"

namespace fs = std::filesystem;

fs::path WorkFolder(std::u16string_view diary) { return fs::path(diary) / u".doodlebinder"; }

fs::path ComputerFolder(std::u16string_view diary) {
    static const std::u16string computer = ThisComputerName();
    return WorkFolder(diary) / computer;
}

fs::path TemporaryFolder(std::u16string_view diary) { return ComputerFolder(diary) / u"tmp"; }

fs::path EarlierTemporaryFolder(std::u16string_view diary) { return WorkFolder(diary) / u"tmp"; }

std::u16string RecoveryFileName(const DayKey& day, std::u16string_view extension) {
    return DayFileName(day, extension) + u"~";
}

fs::path RecoveryFilePath(std::u16string_view diary, const DayKey& day, std::u16string_view extension) {
    return ComputerFolder(diary) / RecoveryFileName(day, extension);
}

std::int32_t DayOfRecoveryFileName(const fs::path& name) {
    std::u16string text = name.u16string();
    if (text.empty() || text.back() != u'~') return 0;
    text.pop_back();
    return DayOfPageFileName(fs::path(text));
}

std::vector<std::int32_t> ListRecoveredDays(const fs::path& folder) {
    std::set<std::int32_t> days;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) continue;
        if (std::int32_t day = DayOfRecoveryFileName(it->path().filename())) days.insert(day);
    }
    return {days.rbegin(), days.rend()};
}
