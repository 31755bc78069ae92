#include "sync/kept_versions.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <system_error>

#include "diarycore/day_file_store.h"

namespace fs = std::filesystem;

namespace {

bool HasExtension(const fs::path& name, std::u16string_view extension) {
    std::u16string found = name.extension().u16string();
    for (char16_t& c : found) c = c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c | 0x20) : c;
    return found == extension;
}

std::optional<std::vector<std::uint8_t>> ReadPart(const fs::path& path, ZipReadStatus& status) {
    if (path.empty()) return std::nullopt;
    std::vector<std::uint8_t> bytes;
    if (ReadDayFile(path, bytes) != ReadStatus::Ok || bytes.size() > kLargestDayFile) {
        status = ZipReadStatus::CannotOpen;
        return std::nullopt;
    }
    return bytes;
}

}  // namespace

fs::path MergedCopiesFolder(const fs::path& diary) { return diary / u".doodlebinder" / u"merged"; }

std::vector<KeptVersion> ListKeptVersions(const fs::path& diary, const DayKey& day) {
    const std::u16string digits = DayFileNames(day).record.substr(0, 8);
    std::map<std::u16string, KeptVersion> byStem;
    std::error_code error;
    for (fs::directory_iterator it(MergedCopiesFolder(diary), error), end; !error && it != end; it.increment(error)) {
        std::error_code typeError;
        const fs::path name = it->path().filename();
        if (!it->is_regular_file(typeError) || !name.u16string().starts_with(digits)) continue;
        const bool record = HasExtension(name, u".dbt"), picture = HasExtension(name, u".bmp");
        if (!record && !picture) continue;
        KeptVersion& version = byStem[name.stem().u16string()];
        (record ? version.record : version.picture) = it->path();
        std::error_code timeError;
        const fs::file_time_type written = fs::last_write_time(it->path(), timeError);
        if (!timeError) version.time = std::max(version.time, LocalTimeOf(UnixSecondsOf(written)));
    }
    std::vector<KeptVersion> versions;
    for (auto& [stem, version] : byStem) versions.push_back(std::move(version));
    std::stable_sort(versions.begin(), versions.end(),
                     [](const KeptVersion& a, const KeptVersion& b) { return a.time > b.time; });
    return versions;
}

DayFilesInSnapshot ReadKeptVersion(const KeptVersion& version) {
    DayFilesInSnapshot files;
    files.record = ReadPart(version.record, files.status);
    files.picture = ReadPart(version.picture, files.status);
    files.recordLeftOut = version.record.empty();
    files.pictureLeftOut = version.picture.empty();
    return files;
}

fs::path KeepDayVersion(const fs::path& diary, const DayKey& day, const DayFileBytes& files, std::int64_t unixSeconds,
                        WriteFault* fault) {
    const CivilTime at = LocalTimeOf(unixSeconds);
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, ".kept-%04d%02d%02d-%02d%02d%02d", at.year, at.month, at.day, at.hour, at.minute,
                  at.second);
    const std::u16string digits = DayFileNames(day).record.substr(0, 8);
    const fs::path folder = MergedCopiesFolder(diary);
    std::error_code error;
    fs::create_directories(folder, error);
    // One stem for both files: the first that neither file of the version takes yet.
    std::u16string stem = digits + fs::path(stamp).u16string();
    for (int n = 2; fs::exists(folder / (stem + u".dbt"), error) || fs::exists(folder / (stem + u".bmp"), error); ++n)
        stem = digits + fs::path(stamp).u16string() + u"-" + fs::path(std::to_string(n)).u16string();
    fs::path first;
    for (const auto& [part, extension] : {std::pair{&files.record, u".dbt"}, std::pair{&files.picture, u".bmp"}}) {
        if (!*part) continue;
        const fs::path target = folder / (stem + extension);
        if (WriteDayFile(target, **part, {}, fault) != WriteStatus::Ok) {
            if (!first.empty()) RemoveFileIfThere(first);
            return {};
        }
        if (first.empty()) first = target;
    }
    return first;
}
