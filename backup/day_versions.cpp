#include "day_versions.h"

#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "backup/snapshot_names.h"
#include "platform/file_read.h"

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
    return static_cast<std::uint32_t>(crc32(crc32(0, nullptr, 0), bytes.data(), static_cast<uInt>(bytes.size())));
}

}  // namespace

DayFilesInSnapshot ReadDayFromSnapshot(const fs::path& snapshot, const DayKey& day) {
    DayFilesInSnapshot files;
    ZipArchive archive;
    files.status = archive.Open(snapshot);
    if (files.status != ZipReadStatus::Ok) return files;
    for (auto [extension, into] : {std::pair{"dbt", &files.record}, std::pair{"bmp", &files.picture}}) {
        const ZipEntry* entry = FindDayEntry(archive, day, extension);
        if (entry == nullptr) continue;
        std::vector<std::uint8_t> bytes;
        files.status = archive.Read(*entry, bytes);
        if (files.status != ZipReadStatus::Ok) return DayFilesInSnapshot{files.status, {}, {}};
        *into = std::move(bytes);
    }
    return files;
}

DayVersionList ListDayVersions(const fs::path& backupFolder, const DayKey& day) {
    DayVersionList list;
    for (const SnapshotFile& snapshot : ListSnapshots(backupFolder)) {
        ZipArchive archive;
        if (archive.Open(snapshot.path) != ZipReadStatus::Ok) {
            list.damaged.push_back(snapshot.path);
            continue;
        }
        DayVersion version{snapshot.path, snapshot.time, {}, {}};
        bool damaged = false;
        for (auto [extension, crc] : {std::pair{"dbt", &version.recordCrc}, std::pair{"bmp", &version.pictureCrc}}) {
            const ZipEntry* entry = FindDayEntry(archive, day, extension);
            if (entry == nullptr) continue;
            std::vector<std::uint8_t> bytes;
            damaged = damaged || archive.Read(*entry, bytes) != ZipReadStatus::Ok;
            *crc = entry->crc;
        }
        if (damaged) list.damaged.push_back(snapshot.path);
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
