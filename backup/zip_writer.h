// Writing a standard zip file as a stream: each entry is compressed whole in memory,
// then its local header and bytes go to the pending file, so the file's size is known
// before its header is written (no data descriptors) and memory holds one entry and the
// central directory, never the archive. The central directory and its end follow at
// Finish. Zip64 records are written where the archive needs them (a lifetime diary holds
// more than 65,535 files; an archive past 4 GB); a single file of 4 GB or more is refused.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class PendingFile;

enum class ZipWriteStatus {
    Ok,
    TooLarge,        // a single file of 4 GB or more, or a name longer than 65,535 bytes
    CannotWrite,     // the pending file failed: its status and fault say why
    CannotCompress,  // zlib refused (out of memory)
};

class ZipWriter {
public:
    explicit ZipWriter(PendingFile& file);
    ~ZipWriter();
    ZipWriter(const ZipWriter&) = delete;
    ZipWriter& operator=(const ZipWriter&) = delete;

    // One file: its name in the archive (bytes; flagged as UTF-8 when they are UTF-8),
    // its bytes and its modification time in UTC seconds. A failed Add leaves the
    // archive unfinishable; later calls return the same status.
    ZipWriteStatus Add(std::string_view name, std::span<const std::uint8_t> bytes, std::int64_t modifiedUnix);
    // The central directory and its end, with the archive's comment (at most 65,535
    // bytes, else TooLarge); the pending file is then complete, not committed.
    ZipWriteStatus Finish(std::string_view comment = {});
    // Bytes written so far.
    std::uint64_t Size() const { return offset_; }

private:
    ZipWriteStatus Emit(std::span<const std::uint8_t> bytes);

    PendingFile& file_;
    ZipWriteStatus status_ = ZipWriteStatus::Ok;
    std::uint64_t offset_ = 0;
    std::uint64_t entries_ = 0;
    std::vector<std::uint8_t> central_;
    std::vector<std::uint8_t> compressed_;  // reused from entry to entry
    void* deflater_ = nullptr;              // z_stream, kept out of this header
};
