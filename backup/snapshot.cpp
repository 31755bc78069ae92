#include "snapshot.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <optional>
#include <string>
#include <system_error>

#include "backup/retention.h"
#include "backup/snapshot_names.h"
#include "backup/zip_reader.h"
#include "backup/zip_writer.h"
#include "diarycore/pages_in_folder.h"

namespace fs = std::filesystem;

namespace {

// What the system says of a file before and after it is read: the same size and time
// both times, and the bytes read of that size, mean no writer was halfway through it.
struct FileStamp {
    std::uintmax_t size = 0;
    fs::file_time_type modified;
    bool operator==(const FileStamp&) const = default;
};

std::optional<FileStamp> StampOf(const fs::path& path) {
    std::error_code error;
    const std::uintmax_t size = fs::file_size(path, error);
    if (error) return std::nullopt;
    const fs::file_time_type modified = fs::last_write_time(path, error);
    if (error) return std::nullopt;
    return FileStamp{size, modified};
}

// The file's bytes as one version of it, read a second time when it changed meanwhile.
ReadStatus ReadSteadyFile(const fs::path& path, std::vector<std::uint8_t>& bytes, FileStamp& stamp,
                          const SnapshotHooks& hooks) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        const std::optional<FileStamp> before = StampOf(path);
        if (!before) return ReadStatus::Missing;
        const ReadStatus status = ReadFileBytes(path, bytes);
        if (status != ReadStatus::Ok) return status;
        if (hooks.afterRead) hooks.afterRead(path);
        const std::optional<FileStamp> after = StampOf(path);
        if (after == before && bytes.size() == before->size) {
            stamp = *before;
            return ReadStatus::Ok;
        }
    }
    return ReadStatus::InUse;
}

WriteFault FaultOf(const std::error_code& error) {
#ifdef _WIN32
    if (error.category() == std::system_category()) return FaultOfWindowsError(static_cast<unsigned long>(error.value()));
#endif
    return FaultOfErrorNumber(error.value());
}

std::vector<fs::path> FilesOfSnapshot(const fs::path& diary, bool& listed) {
    std::vector<fs::path> files;
    std::error_code error;
    fs::directory_iterator it(diary, error);
    listed = !error;
    for (fs::directory_iterator end; !error && it != end; it.increment(error)) {
        std::error_code typeError;
        if (it->is_regular_file(typeError) && GoesIntoSnapshot(it->path().filename())) files.push_back(it->path());
    }
    if (error) listed = false;
    std::sort(files.begin(), files.end());
    return files;
}

// Opens the snapshot again and reads every entry back against its CRC.
bool SnapshotReadsBack(const fs::path& path, int files) {
    ZipArchive archive;
    return archive.Open(path) == ZipReadStatus::Ok && archive.Entries().size() == static_cast<std::size_t>(files) &&
           archive.CheckEveryEntry() == ZipReadStatus::Ok;
}

}  // namespace

bool GoesIntoSnapshot(const fs::path& name) {
    const std::u16string text = NameInFolder(name);
    if (DayOfPageFileName(fs::path(text)) != 0) return true;
    const std::size_t dot = text.rfind(u'.');
    if (dot == std::u16string::npos || dot == 0) return false;
    std::u16string extension = text.substr(dot + 1);
    for (char16_t& c : extension) c = c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c | 0x20) : c;
    constexpr std::array<std::u16string_view, 5> kKept{u"html", u"htm", u"gif", u"png", u"jpg"};
    return std::find(kKept.begin(), kKept.end(), extension) != kKept.end();
}

bool IsSameOrInside(const fs::path& inner, const fs::path& outer) {
    // Absolute first: of a relative path no part of which is there yet, the canonical
    // form would stay relative.
    std::error_code error;
    const fs::path in = fs::weakly_canonical(fs::absolute(inner, error), error);
    if (error) return false;
    const fs::path out = fs::weakly_canonical(fs::absolute(outer, error), error);
    if (error) return false;
    auto a = in.begin(), b = out.begin();
    for (; b != out.end(); ++a, ++b) {
        if (b->empty()) continue;   // the trailing separator's empty name
        if (a == in.end()) return false;
#ifdef _WIN32
        // Names on Windows are the same in any letter case.
        std::wstring x = a->native(), y = b->native();
        for (auto* s : {&x, &y})
            for (wchar_t& c : *s) c = c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c | 0x20) : c;
        if (x != y) return false;
#else
        if (*a != *b) return false;
#endif
    }
    return true;
}

SnapshotResult MakeSnapshot(const fs::path& diary, const fs::path& backupFolder, std::int64_t nowUnix,
                            const SnapshotHooks& hooks) {
    SnapshotResult result;
    if (IsSameOrInside(backupFolder, diary)) {
        result.status = SnapshotStatus::InsideDiary;
        return result;
    }
    bool listed = false;
    const std::vector<fs::path> files = FilesOfSnapshot(diary, listed);
    if (!listed) {
        result.status = SnapshotStatus::NoDiary;
        return result;
    }
    std::error_code error;
    fs::create_directories(backupFolder, error);
    if (error) {
        result.status = SnapshotStatus::CannotWrite;
        result.fault = FaultOf(error);
        return result;
    }

    const CivilTime now = LocalTimeOf(nowUnix);
    // A snapshot of the same second is not replaced: it passed its check already. The new
    // one takes the next free second's name instead (Back up now pressed twice quickly).
    fs::path target = backupFolder / fs::path(SnapshotName(now));
    for (int later = 1; later < 60 && fs::exists(fs::symlink_status(target, error)); ++later)
        target = backupFolder / fs::path(SnapshotName(LocalTimeOf(nowUnix + later)));
    FileWriteSteps plainSteps;
    WriteOptions options{Durability::Durable, {}, true};
    PendingFile pending(target, options, hooks.steps ? *hooks.steps : plainSteps);
    ZipWriter zip(pending);
    std::vector<std::uint8_t> bytes;
    ZipWriteStatus written = ZipWriteStatus::Ok;
    for (const fs::path& file : files) {
        FileStamp stamp;
        const ReadStatus read = ReadSteadyFile(file, bytes, stamp, hooks);
        if (read == ReadStatus::Missing) continue;   // removed since the listing: no longer the diary's
        if (read != ReadStatus::Ok) {
            result.unread.push_back({file, read});
            continue;
        }
        written = zip.Add(NameInUtf8(file), bytes, UnixSecondsOf(stamp.modified));
        if (written != ZipWriteStatus::Ok) break;
        ++result.files;
    }
    if (written == ZipWriteStatus::Ok) written = zip.Finish();
    if (written == ZipWriteStatus::Ok) pending.Commit();
    if (written != ZipWriteStatus::Ok || pending.Status() != WriteStatus::Ok) {
        result.status = SnapshotStatus::CannotWrite;
        result.fault = pending.Fault() != WriteFault::None ? pending.Fault() : WriteFault::Other;
        return result;
    }
    if (!SnapshotReadsBack(target, result.files)) {
        RemoveFileIfThere(target);
        result.status = SnapshotStatus::CheckFailed;
        return result;
    }
    result.snapshot = target;
    result.size = zip.Size();
    if (!result.unread.empty()) {
        result.status = SnapshotStatus::Incomplete;
        return result;
    }
    result.pruned = PruneSnapshots(backupFolder, now);
    return result;
}

bool DiaryDiffersFromSnapshot(const fs::path& diary, const fs::path& snapshot) {
    ZipArchive archive;
    bool listed = false;
    const std::vector<fs::path> files = FilesOfSnapshot(diary, listed);
    if (!listed || archive.Open(snapshot) != ZipReadStatus::Ok || archive.Entries().size() != files.size()) return true;
    // Both in the order of the listing sorted, as the snapshot was written.
    for (std::size_t i = 0; i < files.size(); ++i) {
        const ZipEntry& entry = archive.Entries()[i];
        const std::optional<FileStamp> stamp = StampOf(files[i]);
        if (entry.name != NameInUtf8(files[i]) || !stamp || entry.size != stamp->size ||
            entry.modifiedUnix != UnixSecondsOf(stamp->modified))
            return true;
    }
    return false;
}

std::vector<fs::path> PruneSnapshots(const fs::path& backupFolder, const CivilTime& now) {
    const std::vector<SnapshotFile> snapshots = ListSnapshots(backupFolder);
    std::vector<CivilTime> times;
    for (const SnapshotFile& s : snapshots) times.push_back(s.time);
    const std::vector<bool> keep = SnapshotsToKeep(times, now);
    std::vector<fs::path> removed;
    for (std::size_t i = 0; i < snapshots.size(); ++i) {
        std::error_code error;
        if (!keep[i] && fs::remove(snapshots[i].path, error)) removed.push_back(snapshots[i].path);
    }
    return removed;
}
