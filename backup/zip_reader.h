// Reading a zip file back: its central directory, and any entry's bytes inflated and
// checked against their CRC-32. The file is read where the parts lie, never whole. Zip64
// records are read where the classic fields hold all ones. What the writer never makes
// (archives over several disks, encryption, methods other than stored and deflate, an
// entry of 1 GB or more) is refused as unsupported, and anything inconsistent as
// damaged, so that a stranger's zip or a truncated one costs nothing but its answer.
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
    CannotOpen,     // the file could not be opened: ReadFailure() says why
    NotAZip,        // no end of a central directory
    Unsupported,    // a zip of a kind this reader does not take
    Damaged,        // headers that do not fit the file, bytes that do not inflate or fail their CRC
};

struct ZipEntry {
    std::string name;                    // bytes as stored
    std::uint16_t flags = 0;
    std::uint16_t method = 0;
    std::uint32_t crc = 0;
    std::uint64_t compressedSize = 0;
    std::uint64_t size = 0;
    std::uint64_t localOffset = 0;
    DosDateTime dosTime;
    std::optional<std::int64_t> modifiedUnix;   // from the timestamp extra field, when there
};

class ZipArchive {
public:
    // Reads the central directory; nothing is known unless Ok.
    ZipReadStatus Open(const std::filesystem::path& path);
    ReadStatus ReadFailure() const { return readFailure_; }
    const std::vector<ZipEntry>& Entries() const { return entries_; }
    // The entry of that exact name, if any.
    const ZipEntry* Find(std::string_view name) const;
    // The entry's bytes, inflated and checked; cleared unless Ok.
    ZipReadStatus Read(const ZipEntry& entry, std::vector<std::uint8_t>& bytes) const;
    // Every entry read and checked; the first failure.
    ZipReadStatus CheckEveryEntry() const;

private:
    ReadableFile file_;
    ReadStatus readFailure_ = ReadStatus::Ok;
    std::vector<ZipEntry> entries_;
};
