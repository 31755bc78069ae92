// Reading a zip file back: its central directory and comment, any entry's bytes inflated
// and checked against their CRC-32, or an entry checked in pieces without holding it. The
// file is read where the parts lie, never whole. Zip64 records are read where the classic
// fields hold all ones. What the writer never makes (archives over several disks,
// encryption, methods other than stored and deflate) is refused as unsupported, and
// anything inconsistent as damaged, so that a stranger's zip or a truncated one costs
// nothing but its answer. An entry is read whole only up to the size the caller expects
// of it: a header may claim gigabytes that its few compressed bytes really make.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "backup/dos_time.h"
#include "platform/file_read.h"

enum class ZipReadStatus {
    Ok,
    CannotOpen,   // the file could not be opened: ReadFailure() says why
    NotAZip,      // no end of a central directory
    Unsupported,  // a zip of a kind this reader does not take
    Damaged,      // headers that do not fit the file, bytes that do not inflate or fail their CRC
};

struct ZipEntry {
    std::string name;  // bytes as stored
    std::uint16_t flags = 0;
    std::uint16_t method = 0;
    std::uint32_t crc = 0;
    std::uint64_t compressedSize = 0;
    std::uint64_t size = 0;
    std::uint64_t localOffset = 0;
    DosDateTime dosTime;
    std::optional<std::int64_t> modifiedUnix;  // from the timestamp extra field, when there
};

// The most an entry is read whole unless the caller says otherwise.
inline constexpr std::uint64_t kLargestEntryRead = std::uint64_t{1} << 30;

class ZipArchive {
public:
    // Reads the central directory; nothing is known unless Ok.
    ZipReadStatus Open(const std::filesystem::path& path);
    ReadStatus ReadFailure() const { return readFailure_; }
    const std::vector<ZipEntry>& Entries() const { return entries_; }
    // The archive's comment, bytes as stored.
    const std::string& Comment() const { return comment_; }
    // The entry of that exact name, if any.
    const ZipEntry* Find(std::string_view name) const;
    // The entry's bytes, inflated and checked; cleared unless Ok. An entry that says it
    // holds more than `largest` bytes is Unsupported, and nothing is set aside for it.
    ZipReadStatus Read(const ZipEntry& entry, std::vector<std::uint8_t>& bytes,
                       std::uint64_t largest = kLargestEntryRead) const;
    // The entry inflated in pieces and checked against its size and CRC-32; memory for
    // one piece, whatever its size.
    ZipReadStatus Check(const ZipEntry& entry) const;
    // Every entry checked; the first failure.
    ZipReadStatus CheckEveryEntry() const;

private:
    // Where the entry's stored bytes start, after its local header; nothing when the
    // header is not where the directory says or the bytes run past the file.
    std::optional<std::uint64_t> DataOffset(const ZipEntry& entry) const;

    ReadableFile file_;
    ReadStatus readFailure_ = ReadStatus::Ok;
    std::vector<ZipEntry> entries_;
    std::string comment_;
};

// Only the archive's comment, from its end record: the directory is not read, so a
// folder of large archives is looked through quickly.
ZipReadStatus ReadZipComment(const std::filesystem::path& path, std::string& comment);
