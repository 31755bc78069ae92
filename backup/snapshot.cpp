#include "snapshot.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <system_error>

#include "backup/retention.h"
#include "backup/snapshot_names.h"
#include "backup/zip_reader.h"
#include "backup/zip_writer.h"
#include "diarycore/kept_originals.h"
#include "diarycore/pages_in_folder.h"
#include "diarycore/settings.h"
#include "lock/locked_names.h"
#include "platform/utf16.h"

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
    // A locked diary's pages open only with its key file: a snapshot without it would
    // hold nothing anybody could read back.
    const fs::path keyFile = KeyFilePath(diary.u16string());
    std::error_code keyError;
    if (fs::is_regular_file(keyFile, keyError)) files.push_back(keyFile);
    return files;
}

// The file's name in the zip: its own name for the diary folder's files, and the folder's
// name before it for the key file in the program's folder, so that it goes back there.
std::string EntryName(const fs::path& diary, const fs::path& file) {
    if (file.parent_path() == diary) return NameInUtf8(file);
    return NameInUtf8(file.parent_path()) + "/" + NameInUtf8(file);
}

// Opens the snapshot again and reads every entry back against its CRC.
bool SnapshotReadsBack(const fs::path& path, int files) {
    ZipArchive archive;
    return archive.Open(path) == ZipReadStatus::Ok && archive.Entries().size() == static_cast<std::size_t>(files) &&
           archive.CheckEveryEntry() == ZipReadStatus::Ok;
}

bool EndsWithFolded(std::u16string_view text, std::u16string_view end) {
    if (text.size() < end.size()) return false;
    for (std::size_t i = 0; i < end.size(); ++i)
        if (AsciiLower(text[text.size() - end.size() + i]) != end[i]) return false;
    return true;
}

// A day's record or picture, plain or locked.
bool IsDayFile(const fs::path& path) { return ParseDayFileName(NameInFolder(path)).has_value(); }

#ifdef _WIN32
// The small letter of a capital as the file system compares names: Latin (with Latin-1
// and Latin Extended-A), Greek, Cyrillic and full-width Latin, which is where the folder
// names people give have capitals.
char16_t FoldCase(char16_t c) {
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB && c != 0x3A2) ||
        (c >= 0x410 && c <= 0x42F) || (c >= 0xFF21 && c <= 0xFF3A))
        return static_cast<char16_t>(c + 0x20);
    if (c >= 0x400 && c <= 0x40F) return static_cast<char16_t>(c + 0x50);
    if (c == 0x178) return 0xFF;
    if (((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177) || (c >= 0x460 && c <= 0x481) ||
         (c >= 0x48A && c <= 0x4BF)) &&
        c % 2 == 0)
        return static_cast<char16_t>(c + 1);
    if (((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) && c % 2 == 1) return static_cast<char16_t>(c + 1);
    if (c == 0x3C2) return 0x3C3;  // the final sigma is the sigma
    if (c == 0x386) return 0x3AC;
    if (c >= 0x388 && c <= 0x38A) return static_cast<char16_t>(c + 0x25);
    if (c == 0x38C) return 0x3CC;
    if (c == 0x38E || c == 0x38F) return static_cast<char16_t>(c + 0x3F);
    return c;
}

bool SameNameInAnyCase(std::u16string_view a, std::u16string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char16_t x, char16_t y) { return FoldCase(x) == FoldCase(y); });
}
#endif

bool HoldsADay(const ZipArchive& archive) {
    return std::any_of(archive.Entries().begin(), archive.Entries().end(), [](const ZipEntry& entry) {
        return IsDayFile(fs::path(std::u16string(entry.name.begin(), entry.name.end())));
    });
}

// True when the diary's newest snapshot has days: a folder that has none then is more
// likely a stick not plugged in than a diary emptied, and must not age out the last good
// state. A diary of no known identity is taken as the owner of the newest snapshot.
bool NewestSnapshotHasDays(const fs::path& diary, const fs::path& backupFolder) {
    const DiarySnapshots snapshots = ListDiarySnapshots(backupFolder, KnownDiaryIdentity(diary).value_or(""));
    if (snapshots.ours.empty()) return false;
    ZipArchive newest;
    // One that cannot be read is not proof of anything: better no snapshot than the
    // newest good one aged out.
    return newest.Open(snapshots.ours.front().path) != ZipReadStatus::Ok || HoldsADay(newest);
}

// The folders `folder` needs made, outermost first, so that a failed snapshot can take
// away what it made.
std::vector<fs::path> FoldersMissing(const fs::path& folder) {
    std::vector<fs::path> missing;
    std::error_code error;
    for (fs::path at = fs::absolute(folder, error); !error && !at.empty() && !fs::exists(at, error);
         at = at.parent_path()) {
        missing.insert(missing.begin(), at);
        if (at == at.parent_path()) break;
    }
    return missing;
}

void RemoveFoldersMade(const std::vector<fs::path>& made) {
    std::error_code error;
    for (auto folder = made.rbegin(); folder != made.rend(); ++folder) {
        if (!fs::remove(*folder, error)) return;  // not empty, or not ours to remove
    }
}

// The name a snapshot that failed its check is kept under: "doodlebinder-...-damaged.zip",
// which no longer has the pattern's shape, so it is neither counted nor pruned.
bool SetAside(const fs::path& snapshot) {
    const fs::path stem = snapshot.parent_path() / snapshot.stem();
    std::error_code error;
    for (int n = 0; n < 100; ++n) {
        fs::path aside = stem;
        aside += n == 0 ? u"-damaged.zip" : u"-damaged-" + fs::path(std::to_string(n)).u16string() + u".zip";
        if (fs::exists(fs::symlink_status(aside, error))) continue;
        fs::rename(snapshot, aside, error);
        return !error;
    }
    return false;
}

// The temporary zips of snapshots that a kill, or the close's wait running out, cut short:
// only names of the writer's shape whose target is a snapshot's name, by the writer's
// rule of whose they are.
void SweepInterruptedSnapshots(const fs::path& backupFolder) {
    std::vector<std::u16string> names;
    std::error_code error;
    for (fs::directory_iterator it(backupFolder, error), end; !error && it != end; it.increment(error)) {
        const std::u16string name = NameInFolder(it->path());
        const std::size_t suffix = name.rfind(u".tmp-");
        if (suffix != std::u16string::npos && TimeOfSnapshotName(std::u16string_view(name).substr(0, suffix)))
            names.push_back(name);
    }
    if (!names.empty()) RemoveLeftoverTemporaryFiles(backupFolder, names, LeftoverKinds::AnyFile);
}

// Every file of the list into the zip at `target`, read steadily; the ones that cannot be
// read are left out, named in `result.unread` and in the label. False, with the fault in
// `result`, when the backup folder did not take the zip; nothing of it is left then.
bool WriteSnapshot(const fs::path& target, const fs::path& diary, const std::vector<fs::path>& files,
                   SnapshotLabel& label, const SnapshotHooks& hooks, SnapshotResult& result) {
    FileWriteSteps plainSteps;
    WriteOptions options{Durability::Durable, {}, true};
    PendingFile pending(target, options, hooks.steps ? *hooks.steps : plainSteps);
    ZipWriter zip(pending);
    std::vector<std::uint8_t> bytes;
    ZipWriteStatus written = ZipWriteStatus::Ok;
    for (const fs::path& file : files) {
        FileStamp stamp;
        const std::optional<FileStamp> listed = StampOf(file);
        // Beside the days a very large file is left out unread; a day is always taken.
        const bool tooLarge = listed && !IsDayFile(file) && listed->size > kLargestFileBesideDays;
        const ReadStatus read = tooLarge ? ReadStatus::Failed : ReadSteadyFile(file, bytes, stamp, hooks);
        if (read == ReadStatus::Missing) continue;  // removed since the listing: no longer the diary's
        if (read != ReadStatus::Ok) {
            result.unread.push_back({file, read, tooLarge});
            if (listed)
                label.leftOut.push_back({EntryName(diary, file), listed->size, UnixSecondsOf(listed->modified)});
            continue;
        }
        written = zip.Add(EntryName(diary, file), bytes, UnixSecondsOf(stamp.modified));
        if (written != ZipWriteStatus::Ok) break;
        ++result.files;
    }
    if (written == ZipWriteStatus::Ok) written = zip.Finish(SnapshotLabelText(label));
    if (written == ZipWriteStatus::Ok) pending.Commit();
    if (written != ZipWriteStatus::Ok || pending.Status() != WriteStatus::Ok) {
        result.fault = pending.Fault() != WriteFault::None ? pending.Fault() : WriteFault::Other;
        return false;
    }
    result.size = zip.Size();
    return true;
}

bool PassesCheck(const fs::path& snapshot) {
    ZipArchive archive;
    return archive.Open(snapshot) == ZipReadStatus::Ok && archive.CheckEveryEntry() == ZipReadStatus::Ok;
}

bool SameTime(const ZipEntry& entry, fs::file_time_type modified) {
    const std::int64_t unix = UnixSecondsOf(modified);
    if (entry.modifiedUnix) return *entry.modifiedUnix == unix;
    // Past 2038 the entry has only the DOS time the writer made of the same moment.
    const DosDateTime dos = DosDateTimeOf(LocalTimeOf(unix));
    return entry.dosTime.date == dos.date && entry.dosTime.time == dos.time;
}

}  // namespace

bool GoesIntoSnapshot(const fs::path& name) {
    const std::u16string text = NameInFolder(name);
    if (ParseDayFileName(text)) return true;  // a day's record or picture, plain or locked
    // The user's own files, kept before the page replaced them.
    for (std::u16string_view suffix : {kOriginalPictureSuffix, kDamagedRecordSuffix}) {
        if (EndsWithFolded(text, suffix) &&
            DayOfPageFileName(fs::path(text.substr(0, text.size() - suffix.size()))) != 0)
            return true;
    }
    if (text.size() == kSettingsFileName.size() && EndsWithFolded(text, kSettingsFileName)) return true;
    const std::size_t dot = text.rfind(u'.');
    if (dot == std::u16string::npos || dot == 0) return false;
    std::u16string extension = text.substr(dot + 1);
    for (char16_t& c : extension) c = AsciiLower(c);
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
        if (b->empty()) continue;  // the trailing separator's empty name
        if (a == in.end()) return false;
#ifdef _WIN32
        // Names on Windows are the same in any letter case, not only ASCII's.
        if (!SameNameInAnyCase(a->u16string(), b->u16string())) return false;
#else
        if (*a != *b) return false;
#endif
    }
    return true;
}

SnapshotResult MakeSnapshot(const fs::path& diary, const fs::path& backupFolder, std::int64_t nowUnix,
                            const SnapshotHooks& hooks, SnapshotChoices choices) {
    SnapshotResult result;
    if (IsSameOrInside(backupFolder, diary)) {
        result.status = SnapshotStatus::InsideDiary;
        return result;
    }
    bool listed = false;
    std::vector<fs::path> files = FilesOfSnapshot(diary, listed);
    if (!listed) {
        result.status = SnapshotStatus::NoDiary;
        return result;
    }
    if (!choices.evenIfEmpty && std::none_of(files.begin(), files.end(), IsDayFile) &&
        NewestSnapshotHasDays(diary, backupFolder)) {
        result.status = SnapshotStatus::EmptyDiary;
        return result;
    }
    std::string identity;
    if (std::optional<std::string> known = KnownDiaryIdentity(diary)) {
        identity = *known;
    } else {
        result.identity = ObtainDiaryIdentity(diary, identity, &result.identityFault);
        // The settings file that now holds the identity goes in too.
        if (result.identity == IdentityStatus::Ok) files = FilesOfSnapshot(diary, listed);
    }

    const std::vector<fs::path> made = FoldersMissing(backupFolder);
    std::error_code error;
    fs::create_directories(backupFolder, error);
    if (error) {
        RemoveFoldersMade(made);
        result.status = SnapshotStatus::CannotWrite;
        result.fault = FaultOfErrorCode(error);
        return result;
    }
    SweepInterruptedSnapshots(backupFolder);

    const CivilTime now = LocalTimeOf(nowUnix);
    // A snapshot of the same second is not replaced: it passed its check already. The new
    // one takes the next free second's name instead (Back up now pressed twice quickly).
    fs::path target = backupFolder / fs::path(SnapshotName(now));
    for (int later = 1; later < 60 && fs::exists(fs::symlink_status(target, error)); ++later)
        target = backupFolder / fs::path(SnapshotName(LocalTimeOf(nowUnix + later)));
    SnapshotLabel label{true, identity, {}};
    if (!WriteSnapshot(target, diary, files, label, hooks, result)) {
        // Its pending file is gone with it; so are the folders made for it.
        RemoveFoldersMade(made);
        result.status = SnapshotStatus::CannotWrite;
        return result;
    }
    if (!SnapshotReadsBack(target, result.files)) {
        RemoveFileIfThere(target);
        RemoveFoldersMade(made);
        result.status = SnapshotStatus::CheckFailed;
        return result;
    }
    result.snapshot = target;
    if (!result.unread.empty()) result.status = SnapshotStatus::Incomplete;
    // Without the diary's identity, which snapshots are its own cannot be told.
    if (!identity.empty()) result.pruned = PruneSnapshots(backupFolder, identity, now, target, &result.setAside);
    return result;
}

bool DiaryDiffersFromSnapshot(const fs::path& diary, const fs::path& snapshot) {
    ZipArchive archive;
    bool listed = false;
    const std::vector<fs::path> files = FilesOfSnapshot(diary, listed);
    if (!listed || archive.Open(snapshot) != ZipReadStatus::Ok) return true;
    const SnapshotLabel label = ParseSnapshotLabel(archive.Comment());
    std::map<std::string_view, const ZipEntry*> entries;
    for (const ZipEntry& entry : archive.Entries()) entries.emplace(entry.name, &entry);
    std::size_t matched = 0;
    for (const fs::path& file : files) {
        const std::optional<FileStamp> stamp = StampOf(file);
        if (!stamp) return true;
        const std::string name = EntryName(diary, file);
        const auto entry = entries.find(name);
        if (entry != entries.end()) {
            if (entry->second->size != stamp->size || !SameTime(*entry->second, stamp->modified)) return true;
            ++matched;
            continue;
        }
        // A file the snapshot had to leave out, unchanged since, would be left out again.
        const LeftOutFile asLeftOut{name, stamp->size, UnixSecondsOf(stamp->modified)};
        if (std::find(label.leftOut.begin(), label.leftOut.end(), asLeftOut) == label.leftOut.end()) return true;
    }
    return matched != entries.size();
}

DiarySnapshots ListDiarySnapshots(const fs::path& backupFolder, std::string_view identity) {
    DiarySnapshots snapshots;
    for (const SnapshotFile& file : ListSnapshots(backupFolder)) {
        std::string comment;
        if (ReadZipComment(file.path, comment) != ZipReadStatus::Ok) {
            snapshots.unreadable.push_back(file.path);
            continue;
        }
        SnapshotLabel label = ParseSnapshotLabel(comment);
        if (identity.empty() || label.diary.empty() || label.diary == identity)
            snapshots.ours.push_back({file.path, file.time, std::move(label)});
    }
    return snapshots;
}

std::vector<fs::path> PruneSnapshots(const fs::path& backupFolder, std::string_view identity, const CivilTime& now,
                                     const fs::path& keep, std::vector<fs::path>* setAside) {
    std::vector<fs::path> removed;
    if (identity.empty()) return removed;
    std::set<fs::path> sound{keep};
    for (;;) {
        std::vector<LabelledSnapshot> mine;
        for (LabelledSnapshot& snapshot : ListDiarySnapshots(backupFolder, identity).ours)
            if (snapshot.label.diary == identity) mine.push_back(std::move(snapshot));
        std::vector<CivilTime> times;
        for (const LabelledSnapshot& snapshot : mine) times.push_back(snapshot.time);
        std::vector<bool> kept = SnapshotsToKeep(times, now);
        for (std::size_t i = 0; i < mine.size(); ++i) kept[i] = kept[i] || mine[i].path == keep;

        // Each snapshot that goes leaves its period to the one kept for it: that one must
        // read back whole first. The oldest of a period is the one kept for it.
        std::optional<std::size_t> damaged;
        for (std::size_t i = 0; i < mine.size() && !damaged; ++i) {
            if (kept[i]) continue;
            const RetentionPeriod period = PeriodOfSnapshot(times[i], now);
            std::optional<std::size_t> keeper;
            for (std::size_t j = 0; j < mine.size(); ++j) {
                if (kept[j] && times[j] <= now && PeriodOfSnapshot(times[j], now) == period &&
                    (!keeper || times[j] < times[*keeper]))
                    keeper = j;
            }
            if (!keeper || sound.contains(mine[*keeper].path)) continue;
            if (PassesCheck(mine[*keeper].path))
                sound.insert(mine[*keeper].path);
            else
                damaged = *keeper;
        }
        if (damaged) {
            // Nothing goes while a damaged snapshot cannot be put out of the count.
            if (!SetAside(mine[*damaged].path)) return removed;
            if (setAside) setAside->push_back(mine[*damaged].path);
            continue;
        }
        for (std::size_t i = 0; i < mine.size(); ++i) {
            std::error_code error;
            if (!kept[i] && fs::remove(mine[i].path, error)) removed.push_back(mine[i].path);
        }
        return removed;
    }
}
