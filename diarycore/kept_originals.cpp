#include "diarycore/kept_originals.h"

#include <cstdint>
#include <system_error>
#include <vector>

#include "platform/file_read.h"

namespace fs = std::filesystem;

fs::path KeptOriginalPath(const fs::path& file, std::u16string_view suffix) {
    fs::path kept = file;
    kept += suffix;
    return kept;
}

WriteStatus KeepOriginalBeside(const fs::path& file, std::u16string_view suffix, WriteFault* why) {
    const fs::path kept = KeptOriginalPath(file, suffix);
    std::error_code error;
    if (fs::exists(fs::symlink_status(kept, error))) return WriteStatus::Ok;
    std::vector<std::uint8_t> bytes;
    const ReadStatus read = ReadFileBytes(file, bytes);
    if (read == ReadStatus::Missing) return WriteStatus::Ok;
    // A file that cannot be read now cannot be kept, so it is not replaced either.
    if (read != ReadStatus::Ok) {
        if (why) *why = read == ReadStatus::InUse ? WriteFault::InUse : WriteFault::Other;
        return WriteStatus::CannotCreate;
    }
    return WriteFileSafely(kept, bytes, Durability::Durable, why);
}
