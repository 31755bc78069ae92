#include "page/conflict_intake.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "backup/diary_identity.h"
#include "page/backups.h"
#include "page/folder_index.h"
#include "page/page.h"
#include "sync/conflict_copies.h"

namespace fs = std::filesystem;

namespace {

// The copies among the names the index keeps (every one starts with the day's digits),
// as the folder lists them: by day, then name.
std::vector<ConflictCopyFile> CopiesIndexed(const Page& page) {
    std::vector<ConflictCopyFile> copies;
    for (const std::u16string& name : page.index.Names())
        if (const std::optional<ConflictCopy> copy = RecogniseConflictCopy(name))
            copies.push_back({fs::path(page.Folder()) / name, *copy});
    std::sort(copies.begin(), copies.end(), [](const ConflictCopyFile& a, const ConflictCopyFile& b) {
        const std::int32_t dayA = DayNumberOf(a.copy.day), dayB = DayNumberOf(b.copy.day);
        return dayA != dayB ? dayA < dayB : a.path < b.path;
    });
    return copies;
}

}  // namespace

void TakeInConflictCopies(Page& page, PageView& view) {
    KeepIndexCurrent(page, view);
    if (page.index.Known() && page.index.Version() == page.conflictCopiesSeen) return;
    bool listed = true;
    const std::vector<ConflictCopyFile> copies =
        page.index.Known() ? CopiesIndexed(page) : ListConflictCopies(fs::path(page.Folder()), listed);
    page.daysWithCopiesLeft.clear();
    if (!copies.empty()) {
        const std::optional<fs::path> backupFolder = BackupFolderOfDiary(page);
        const std::string identity = KnownDiaryIdentity(fs::path(page.Folder())).value_or("");
        for (const ConflictCopyFile& copy : copies) {
            const TakeInResult taken = TakeInConflictCopy(fs::path(page.Folder()), copy, backupFolder, identity);
            if (taken.status != TakeInStatus::Merged) {
                page.daysWithCopiesLeft.insert(DayNumberOf(copy.copy.day));
                continue;
            }
            const DayFilePair files = DayFileNames(page.Folder(), copy.copy.day);
            NoteDayFileRemoved(page, copy.path.u16string());
            if (taken.summary.differsFromOurs.record) NoteDayFileWritten(page, files.record);
            if (taken.summary.differsFromOurs.picture) NoteDayFileWritten(page, files.picture);
        }
    }
    // The names this look changed are no reason for another.
    page.conflictCopiesSeen = page.index.Version();
}
