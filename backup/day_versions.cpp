#include "day_versions.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>

#include "backup/snapshot.h"
#include "backup/snapshot_label.h"
#include "backup/snapshot_names.h"
#include "diarycore/day_file_store.h"
#include "diarycore/pages_in_folder.h"
#include "zip_format.h"

namespace fs = std::filesystem;

namespace {

// True when `name` is the day's record or picture: "YYYYMMDD.dbt" or ".bmp" in any case,
// plain or locked ("YYYYMMDD.dbt.locked").
bool IsDayName(std::string_view name, const DayKey& day, std::string_view extension) {
    char stem[16];
    std::snprintf(stem, sizeof stem, "%04d%02d%02d.", static_cast<int>(day.year), static_cast<int>(day.month),
                  static_cast<int>(day.day));
    const std::string plain = std::string(stem) + std::string(extension);
    const std::string wanted = plain + std::string(kLockedSuffix.begin(), kLockedSuffix.end());
    const std::size_t plainSize = plain.size();
    if (name.size() != plainSize && name.size() != wanted.size()) return false;
    for (std::size_t i = 0; i < name.size(); ++i)
        if ((name[i] >= 'A' && name[i] <= 'Z' ? name[i] | 0x20 : name[i]) != wanted[i]) return false;
    return true;
}

// Of an entry IsDayName took: longer than "YYYYMMDD.dbt".
bool IsLockedEntry(const ZipEntry& entry) { return entry.name.size() == 12 + kLockedSuffix.size(); }

const ZipEntry* FindDayEntry(const ZipArchive& archive, const DayKey& day, std::string_view extension) {
    for (const ZipEntry& entry : archive.Entries()) {
        if (IsDayName(entry.name, day, extension)) return &entry;
    }
    return nullptr;
}

// A locked entry's page, opened with the diary's seal: the snapshot holds it as the
// diary did. False when there is no seal, or the entry does not open with it.
bool OpenLockedEntry(const DayFileSeal* seal, const ZipEntry& entry, std::vector<std::uint8_t>& bytes) {
    if (!seal) return false;
    std::vector<std::uint8_t> plain;
    const std::u16string name(entry.name.begin(), entry.name.end());  // ASCII, as IsDayName took it
    if (seal->Open(name, bytes, plain) != SealStatus::Ok) return false;
    bytes = std::move(plain);
    return true;
}

bool DayFileLeftOut(const SnapshotLabel& label, const DayKey& day, std::string_view extension) {
    return std::any_of(label.leftOut.begin(), label.leftOut.end(),
                       [&](const LeftOutFile& file) { return IsDayName(file.name, day, extension); });
}

bool SamePage(const DayVersion& a, const DayVersion& b) {
    return a.recordCrc == b.recordCrc && a.pictureCrc == b.pictureCrc;
}

std::optional<std::uint32_t> CrcOfFile(const fs::path& path) {
    std::vector<std::uint8_t> bytes;
    if (ReadDayFile(path, bytes) != ReadStatus::Ok) return std::nullopt;
    return zipformat::Crc32Of(bytes);
}

}  // namespace

DayFilesInSnapshot ReadDayFromSnapshot(const fs::path& snapshot, const DayKey& day, const DayFileSeal* seal) {
    ZipArchive archive;
    const ZipReadStatus opened = archive.Open(snapshot);
    if (opened != ZipReadStatus::Ok) return DayFilesInSnapshot{opened, {}, {}};
    DayFilesInSnapshot files;
    const SnapshotLabel label = ParseSnapshotLabel(archive.Comment());
    files.recordLeftOut = DayFileLeftOut(label, day, "dbt");
    files.pictureLeftOut = DayFileLeftOut(label, day, "bmp");
    for (auto [extension, into] : {std::pair{"dbt", &files.record}, std::pair{"bmp", &files.picture}}) {
        const ZipEntry* entry = FindDayEntry(archive, day, extension);
        if (entry == nullptr) continue;
        std::vector<std::uint8_t> bytes;
        files.status = archive.Read(*entry, bytes, kLargestDayFile);
        if (files.status == ZipReadStatus::Ok && IsLockedEntry(*entry) && !OpenLockedEntry(seal, *entry, bytes))
            files.status = ZipReadStatus::Damaged;
        if (files.status != ZipReadStatus::Ok) return DayFilesInSnapshot{files.status, {}, {}};
        *into = std::move(bytes);
    }
    return files;
}

DayVersionList ListDayVersions(const fs::path& backupFolder, std::string_view identity, const DayKey& day,
                               const DayFileSeal* seal) {
    DiarySnapshots snapshots = ListDiarySnapshots(backupFolder, identity);
    DayVersionList list;
    list.damaged = std::move(snapshots.unreadable);
    for (const LabelledSnapshot& snapshot : snapshots.ours) {
        ZipArchive archive;
        DayVersion version{snapshot.path, snapshot.time, {}, {}, false};
        bool sound = archive.Open(snapshot.path) == ZipReadStatus::Ok;
        for (auto [extension, crc] : {std::pair{"dbt", &version.recordCrc}, std::pair{"bmp", &version.pictureCrc}}) {
            const ZipEntry* entry = sound ? FindDayEntry(archive, day, extension) : nullptr;
            if (entry == nullptr) continue;
            // An entry larger than any day file is listed as it is named, but not inflated
            // here: it is no page to put back, and its header may lie about its size.
            if (entry->size <= kLargestDayFile) sound = archive.Check(*entry) == ZipReadStatus::Ok;
            *crc = entry->crc;
            // Each save of a locked day seals it anew: its pages are told apart by what
            // they hold, opened, as the stored day is.
            std::vector<std::uint8_t> bytes;
            if (sound && IsLockedEntry(*entry) && seal) {
                sound = entry->size <= kLargestDayFile &&
                        archive.Read(*entry, bytes, kLargestDayFile) == ZipReadStatus::Ok &&
                        OpenLockedEntry(seal, *entry, bytes);
                *crc = zipformat::Crc32Of(bytes);
            }
        }
        if (!sound) {
            list.damaged.push_back(snapshot.path);
            continue;
        }
        version.incomplete = DayFileLeftOut(snapshot.label, day, "dbt") || DayFileLeftOut(snapshot.label, day, "bmp");
        if (version.recordCrc || version.pictureCrc) list.versions.push_back(std::move(version));
    }
    // Newest first, whoever could not be read among them.
    std::sort(list.damaged.begin(), list.damaged.end(), std::greater<>());
    return list;
}

DayVersion StoredVersion(const fs::path& record, const fs::path& picture) {
    DayVersion stored;
    stored.recordCrc = CrcOfFile(record);
    stored.pictureCrc = CrcOfFile(picture);
    return stored;
}

std::vector<DayVersion> VersionsThatDiffer(std::vector<DayVersion> newestFirst, const DayVersion& stored) {
    std::vector<DayVersion> differing;
    for (auto version = newestFirst.rbegin(); version != newestFirst.rend(); ++version) {
        if (!differing.empty() && SamePage(differing.back(), *version)) continue;
        differing.push_back(std::move(*version));
    }
    std::erase_if(differing, [&](const DayVersion& version) { return SamePage(version, stored); });
    std::reverse(differing.begin(), differing.end());
    return differing;
}
