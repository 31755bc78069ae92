// The one way the program writes a file: the bytes go to a temporary file in the
// target's folder, every write is checked and flushed, and only a complete file is
// moved over the target. On any failure the temporary file is removed and an older
// file of that name stays exactly as it was.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

enum class WriteStatus {
    Ok,
    CannotCreate,   // the temporary file could not be made (missing or read-only folder)
    CannotWrite,    // a write or the flush failed (full disk)
    CannotReplace,  // the complete file could not be moved over the target
};

// The two steps that touch the disk, replaceable so tests can fail either one on purpose.
struct FileWriteSteps {
    virtual ~FileWriteSteps() = default;
    virtual WriteStatus WriteNewFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);
    virtual bool ReplaceFile(const std::filesystem::path& from, const std::filesystem::path& to);
};

WriteStatus WriteFileSafely(const std::filesystem::path& target, std::span<const std::uint8_t> bytes);
WriteStatus WriteFileSafely(const std::filesystem::path& target, std::span<const std::uint8_t> bytes,
                            FileWriteSteps& steps);
