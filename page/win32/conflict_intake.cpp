#include "page/win32/conflict_intake.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "backup/diary_identity.h"
#include "page/win32/backups.h"
#include "page/win32/date_header.h"
#include "page/win32/folder_index.h"
#include "page/page.h"
#include "page/win32/page_view.h"
#include "platform/win32/loaded_text.h"
#include "resources/resource.h"
#include "sync/conflict_copies.h"

namespace fs = std::filesystem;

namespace {

// The copies among the names the index keeps (every one starts with the day's digits),
// as the folder lists them: by day, then name.
std::vector<ConflictCopyFile> CopiesIndexed(const Page& page) {
    std::vector<ConflictCopyFile> copies;
    for (const std::u16string& name : page.diary.index.Names())
        if (const std::optional<ConflictCopy> copy = RecogniseConflictCopy(name))
            copies.push_back({fs::path(page.Folder()) / name, *copy});
    std::sort(copies.begin(), copies.end(), [](const ConflictCopyFile& a, const ConflictCopyFile& b) {
        const std::int32_t dayA = DayNumberOf(a.copy.day), dayB = DayNumberOf(b.copy.day);
        return dayA != dayB ? dayA < dayB : a.path < b.path;
    });
    return copies;
}

// The days whose copies could not be taken in, above the date until the next look takes
// them in: the copies stay in the diary folder meanwhile.
void ShowWaitingCopies(const Page& page, PageView& view) {
    std::u16string days;
    for (const std::int32_t day : page.diary.daysWithCopiesLeft)
        days += (days.empty() ? u"" : u", ") + IsoDateText(DayKeyOfNumber(day));
    const std::u16string notice = days.empty() ? u"" : LoadText(view.instance, IDS_COPIES_WAITING, {days});
    if (notice == view.copiesNotice) return;
    view.copiesNotice = notice;
    DrawDateHeader(view, page.Day());
}

}  // namespace

void TakeInConflictCopies(Page& page, PageView& view) {
    KeepIndexCurrent(page, view);
    if (page.diary.index.Known() && page.diary.index.Version() == page.diary.conflictCopiesSeen) return;
    // Without an index (the folder's changes cannot be followed) the folder is listed at
    // the first look only: under Wine a listing of a lifetime's diary is no thing to
    // repeat every two seconds.
    if (!page.diary.index.Known() && page.diary.conflictCopiesSeen != DiaryFolder::kNeverLooked) return;
    bool listed = true;
    const std::vector<ConflictCopyFile> copies =
        page.diary.index.Known() ? CopiesIndexed(page) : ListConflictCopies(fs::path(page.Folder()), listed);
    page.diary.daysWithCopiesLeft.clear();
    if (!copies.empty()) {
        // A diary without an identity has no snapshots to take a base from, and none is
        // made for it here: two computers taking in one copy at once would each make
        // their own, and the sync tool would have a settings file in conflict.
        const std::optional<std::string> identity = KnownDiaryIdentity(fs::path(page.Folder()));
        const std::optional<fs::path> backupFolder = identity ? BackupFolderOfDiary(page) : std::nullopt;
        for (const ConflictCopyFile& copy : copies) {
            const TakeInResult taken =
                TakeInConflictCopy(fs::path(page.Folder()), copy, backupFolder, identity.value_or(""));
            if (taken.status != TakeInStatus::Merged) {
                page.diary.daysWithCopiesLeft.insert(DayNumberOf(copy.copy.day));
                continue;
            }
            const DayFilePair files = DayFileNames(page.Folder(), copy.copy.day);
            NoteDayFileRemoved(page, copy.path.u16string());
            if (taken.summary.differsFromOurs.record) NoteDayFileWritten(page, files.record);
            if (taken.summary.differsFromOurs.picture) NoteDayFileWritten(page, files.picture);
        }
    }
    // The names this look changed are no reason for another.
    page.diary.conflictCopiesSeen = page.diary.index.Version();
    ShowWaitingCopies(page, view);
}
