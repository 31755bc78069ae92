#include "sync/conflict_copies.h"

#include <algorithm>
#include <system_error>
#include <tuple>

#include "backup/day_versions.h"
#include "diarycore/day_file_seal.h"
#include "diarycore/day_file_store.h"
#include "diarycore/picture_bytes.h"
#include "diarycore/record.h"
#include "sync/day_files.h"
#include "sync/kept_versions.h"
#include "platform/utf16.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

bool SameNameInAnyCase(std::u16string_view a, std::u16string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char16_t x, char16_t y) { return AsciiLower(x) == AsciiLower(y); });
}

// The day's file as the folder names it, in any letter case; the name it gets when there
// is none.
fs::path DayFile(const fs::path& diary, const DayKey& day, DayFileKind kind) {
    const DayFilePair names = DayFileNames(day);
    const std::u16string wanted = kind == DayFileKind::Record ? names.record : names.picture;
    std::error_code error;
    if (fs::exists(diary / wanted, error)) return diary / wanted;
    for (fs::directory_iterator it(diary, error), end; !error && it != end; it.increment(error)) {
        if (SameNameInAnyCase(it->path().filename().u16string(), wanted)) return it->path();
    }
    return diary / wanted;
}

// A file's bytes: nothing for no file, and false when it is there but cannot be read.
bool ReadSide(const fs::path& path, std::optional<Bytes>& bytes, ReadStatus& why) {
    Bytes read;
    why = ReadDayFile(path, read);
    if (why == ReadStatus::Missing) {
        why = ReadStatus::Ok;
        bytes.reset();
        return true;
    }
    if (why != ReadStatus::Ok) return false;
    bytes = std::move(read);
    return true;
}

// The page a record's and a picture's bytes make; false when either is not the page's own.
bool PageOf(const std::optional<Bytes>& record, const std::optional<Bytes>& picture, DayPage& page) {
    std::optional<DayPage> made = DayPageOfFiles({record, picture});
    if (!made) return false;
    page = std::move(*made);
    return true;
}

// The version both sides started from: the newest snapshot whose file of the copy's kind
// is neither side's, of the versions that hold it whole.
std::optional<DayPage> BaseFromSnapshots(const fs::path& backupFolder, std::string_view identity, const DayKey& day,
                                         DayFileKind kind, const std::optional<Bytes>& ours,
                                         const std::optional<Bytes>& theirs, const DayFileSeal* seal) {
    for (const DayVersion& version : ListDayVersions(backupFolder, identity, day, seal).versions) {
        const DayFilesInSnapshot files = ReadDayFromSnapshot(version.snapshot, day, seal);
        if (files.status != ZipReadStatus::Ok) continue;
        const bool leftOut = kind == DayFileKind::Record ? files.recordLeftOut : files.pictureLeftOut;
        const std::optional<Bytes>& held = kind == DayFileKind::Record ? files.record : files.picture;
        if (leftOut || held == ours || held == theirs) continue;
        DayPage base;
        if (PageOf(files.record, files.picture, base)) return base;
    }
    return std::nullopt;
}

}  // namespace

std::vector<ConflictCopyFile> ListConflictCopies(const fs::path& diary, bool& listed) {
    std::vector<ConflictCopyFile> copies;
    std::error_code error;
    fs::directory_iterator it(diary, error);
    listed = !error;
    for (fs::directory_iterator end; !error && it != end; it.increment(error)) {
        std::error_code notRegular;
        if (!it->is_regular_file(notRegular)) continue;
        if (const std::optional<ConflictCopy> copy = RecogniseConflictCopy(it->path().filename().u16string()))
            copies.push_back({it->path(), *copy});
    }
    if (error) listed = false;
    std::sort(copies.begin(), copies.end(), [](const ConflictCopyFile& a, const ConflictCopyFile& b) {
        const auto dayOf = [](const DayKey& d) { return std::tuple(d.year, d.month, d.day); };
        return dayOf(a.copy.day) != dayOf(b.copy.day) ? dayOf(a.copy.day) < dayOf(b.copy.day) : a.path < b.path;
    });
    return copies;
}

fs::path UnusedNameIn(const fs::path& folder, const fs::path& name) {
    std::error_code error;
    fs::path target = folder / name;
    for (int n = 2; fs::exists(fs::symlink_status(target, error)); ++n)
        target = folder / (name.stem().u16string() + u" (" + fs::path(std::to_string(n)).u16string() + u")" +
                           name.extension().u16string());
    return target;
}

TakeInResult TakeInConflictCopy(const fs::path& diary, const ConflictCopyFile& copy,
                                const std::optional<fs::path>& backupFolder, std::string_view identity) {
    TakeInResult result;
    const DayKey& day = copy.copy.day;
    const fs::path recordPath = DayFile(diary, day, DayFileKind::Record);
    const fs::path picturePath = DayFile(diary, day, DayFileKind::Picture);
    std::optional<Bytes> record, picture, copied;
    if (!ReadSide(recordPath, record, result.why) || !ReadSide(picturePath, picture, result.why) ||
        !ReadSide(copy.path, copied, result.why) || !copied) {
        if (result.why == ReadStatus::Ok) result.why = ReadStatus::Missing;
        result.status = TakeInStatus::Unreadable;
        return result;
    }
    const bool isRecord = copy.copy.kind == DayFileKind::Record;
    DayPage ours, theirs;
    if (!PageOf(record, picture, ours) || !PageOf(isRecord ? copied : record, isRecord ? picture : copied, theirs)) {
        result.status = TakeInStatus::NotMergeable;
        return result;
    }
    std::optional<DayPage> base;
    if (backupFolder)
        base = BaseFromSnapshots(*backupFolder, identity, day, copy.copy.kind, isRecord ? record : picture, copied,
                                 DayFileSealOf(diary).get());
    result.hadBase = base.has_value();
    const MergedPage merged = MergeDayPage(base.value_or(DayPage{}), ours, theirs);
    result.summary = merged.summary;

    // What the merge replaces of the day here is set aside first: a line only the other
    // side changed, a colour both gave a pixel. Nothing is written when it cannot be.
    DayFileBytes replaced;
    if (merged.summary.differsFromOurs.record && record) replaced.record = record;
    if (merged.summary.differsFromOurs.picture && picture) replaced.picture = picture;
    if ((replaced.record || replaced.picture) &&
        KeepDayVersion(diary, day, replaced, UnixSecondsNow(), &result.fault).empty()) {
        result.status = TakeInStatus::CannotWrite;
        return result;
    }
    // The day's files first, then the copy aside: a failure between leaves the copy where
    // it was, and taking it in again finds its lines in the day already.
    if (merged.summary.differsFromOurs.record && merged.page.record) {
        if (WriteDayFile(recordPath, SerializeRecord(*merged.page.record).bytes, {}, &result.fault) !=
            WriteStatus::Ok) {
            result.status = TakeInStatus::CannotWrite;
            return result;
        }
    }
    if (merged.summary.differsFromOurs.picture && merged.page.picture) {
        if (WriteDayFile(picturePath, PictureFileBytes(*merged.page.picture), {}, &result.fault) != WriteStatus::Ok) {
            result.status = TakeInStatus::CannotWrite;
            return result;
        }
    }
    std::error_code error;
    fs::create_directories(MergedCopiesFolder(diary), error);
    result.keptAs = UnusedNameIn(MergedCopiesFolder(diary), copy.path.filename());
    // An opened locked diary keeps the copy sealed, whatever the other computer wrote: it
    // goes through the store, and the copy itself only once that is done.
    if (!error && DayFileSealOf(diary)) {
        if (WriteDayFile(result.keptAs, *copied, {}, &result.fault) == WriteStatus::Ok)
            fs::remove(copy.path, error);
        else
            error = std::make_error_code(std::errc::io_error);
    } else if (!error) {
        fs::rename(copy.path, result.keptAs, error);
    }
    if (error) {
        result.status = TakeInStatus::CannotWrite;
        if (result.fault == WriteFault::None) result.fault = FaultOfErrorCode(error);
        result.keptAs.clear();
    }
    return result;
}
