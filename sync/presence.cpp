#include "sync/presence.h"

#include <algorithm>
#include <cstdio>
#include <system_error>

#include "backup/dos_time.h"
#include "diarycore/recovery_files.h"
#include "platform/file_write.h"
#include "platform/utf8.h"

namespace fs = std::filesystem;

namespace {

constexpr std::u16string_view kSuffix = u".open";

// The file's own line: the computer and the time on its clock, for whoever opens the folder.
std::string PresenceText(std::u16string_view computer, std::chrono::system_clock::time_point now) {
    const CivilTime at = LocalTimeOf(std::chrono::duration_cast<std::chrono::seconds>(now.time_since_epoch()).count());
    char when[32];
    std::snprintf(when, sizeof when, "%04d-%02d-%02d %02d:%02d:%02d", at.year, at.month, at.day, at.hour, at.minute,
                  at.second);
    return "Doodlebinder is open on " + EncodeUtf8(computer) + " since " + when + "\n";
}

}  // namespace

fs::path PresenceFile(std::u16string_view diary, std::u16string_view computer) {
    return WorkFolder(diary) / (std::u16string(computer) + std::u16string(kSuffix));
}

WriteFault WritePresence(std::u16string_view diary, std::u16string_view computer,
                         std::chrono::system_clock::time_point now) {
    std::error_code error;
    fs::create_directories(WorkFolder(diary), error);
    const std::string text = PresenceText(computer, now);
    WriteFault fault = WriteFault::None;
    // Nothing is lost with it: a quick write, and its temporary file in this computer's folder.
    const WriteOptions options{Durability::Atomic, TemporaryFolder(diary), false};
    WriteFileSafely(PresenceFile(diary, computer),
                    std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()), options, &fault);
    return fault;
}

void RemovePresence(std::u16string_view diary, std::u16string_view computer) {
    RemoveFileIfThere(PresenceFile(diary, computer));
}

std::vector<std::u16string> OtherComputersOpen(std::u16string_view diary, std::u16string_view computer,
                                               std::chrono::system_clock::time_point now) {
    std::vector<std::u16string> open;
    const auto fileNow = fs::file_time_type::clock::now();
    std::error_code error;
    for (fs::directory_iterator it(WorkFolder(diary), error), end; !error && it != end; it.increment(error)) {
        const std::u16string name = it->path().filename().u16string();
        if (name.size() <= kSuffix.size() || !name.ends_with(kSuffix)) continue;
        const std::u16string other = name.substr(0, name.size() - kSuffix.size());
        std::error_code timeError;
        const fs::file_time_type written = fs::last_write_time(it->path(), timeError);
        if (other == computer || timeError) continue;
        // The file's time against the file clock's now, moved by how far `now` is from
        // the system's own: the caller's clock decides, so a test can stand in another time.
        const auto age = (fileNow - written) + std::chrono::duration_cast<fs::file_time_type::duration>(
                                                   now - std::chrono::system_clock::now());
        if (age < kPresenceFreshFor && age > -kPresenceFreshFor) open.push_back(other);
    }
    std::sort(open.begin(), open.end());
    return open;
}
