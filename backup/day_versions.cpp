#include "day_versions.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "backup/snapshot_names.h"
#include "platform/file_read.h"
#include "zip_format.h"

namespace fs = std::filesystem;

namespace {

// The day's record or picture among the entries: "YYYYMMDD.dbt" or ".bmp" in any case.
const ZipEntry* FindDayEntry(const ZipArchive& archive, const DayKey& day, std::string_view extension) {
    char stem[16];
    std::snprintf(stem, sizeof stem, "%04d%02d%02d.", static_cast<int>(day.year), static_cast<int>(day.month),
                  static_cast<int>(day.day));
    const std::string wanted = std::string(stem) + std::string(extension);
    for (const ZipEntry& entry : archive.Entries()) {
        if (entry.name.size() != wanted.size()) continue;
        bool same = true;
        for (std::size_t i = 0; i < wanted.size() && same; ++i)
            same = (entry.name[i] >= 'A' && entry.name[i] <= 'Z' ? entry.name[i] | 0x20 : entry.name[i]) == wanted[i];
        if (same) return &entry;
    }
    return nullptr;
}

bool SamePage(const DayVersion& a, const DayVersion& b) {
    return a.recordCrc == b.recordCrc && a.pictureCrc == b.pictureCrc;
}

std::optional<std::uint32_t> CrcOfFile(const fs::path& path) {
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(path, bytes)) return std::nullopt;
    return zipformat::Crc32Of(bytes);
}

// The day's record and picture from an open snapshot, each checked; on a failure, its
// status and no bytes. The CRC-32s of the entries found go to `version`, when given.
DayFilesInSnapshot ReadDayEntries(const ZipArchive& archive, const DayKey& day, DayVersion* version = nullptr) {
    DayFilesInSnapshot files;
    for (auto [extension, into] : {std::pair{"dbt", &files.record}, std::pair{"bmp", &files.picture}}) {
        const ZipEntry* entry = FindDayEntry(archive, day, extension);
        if (entry == nullptr) continue;
        std::vector<std::uint8_t> bytes;
        files.status = archive.Read(*entry, bytes);
        if (files.status != ZipReadStatus::Ok) return DayFilesInSnapshot{files.status, {}, {}};
        *into = std::move(bytes);
        if (version) (into == &files.record ? version->recordCrc : version->pictureCrc) = entry->crc;
    }
    return files;
}

}  // namespace

DayFilesInSnapshot ReadDayFromSnapshot(const fs::path& snapshot, const DayKey& day) {
    ZipArchive archive;
    const ZipReadStatus opened = archive.Open(snapshot);
    if (opened != ZipReadStatus::Ok) return DayFilesInSnapshot{opened, {}, {}};
    return ReadDayEntries(archive, day);
}

DayVersionList ListDayVersions(const fs::path& backupFolder, const DayKey& day) {
    DayVersionList list;
    for (const SnapshotFile& snapshot : ListSnapshots(backupFolder)) {
        ZipArchive archive;
        DayVersion version{snapshot.path, snapshot.time, {}, {}, {}};
        if (archive.Open(snapshot.path) == ZipReadStatus::Ok) version.files = ReadDayEntries(archive, day, &version);
        else version.files.status = ZipReadStatus::Damaged;
        if (version.files.status != ZipReadStatus::Ok) list.damaged.push_back(snapshot.path);
        else if (version.recordCrc || version.pictureCrc) list.versions.push_back(std::move(version));
    }
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
