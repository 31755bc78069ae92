#include "zip_reader.h"

#include <zlib.h>

#include <algorithm>
#include <span>

#include "zip_format.h"

using namespace zipformat;

namespace {

// Deflate makes at most 1,032 bytes of each byte it reads (a run of one value): a size
// claimed beyond that is a lie, and no memory is set aside for it.
constexpr std::uint64_t kMostInflation = 1032;
// The end record and the longest comment that may follow it.
constexpr std::size_t kEndSearch = kEndSize + 0xFFFF;

std::optional<std::int64_t> TimestampIn(std::span<const std::uint8_t> extra) {
    for (std::size_t at = 0; at + 4 <= extra.size();) {
        const std::uint16_t tag = Get16(extra, at), size = Get16(extra, at + 2);
        if (at + 4 + size > extra.size()) break;
        if (tag == kTimestampField && size >= 5 && (extra[at + 4] & 1) != 0)
            return static_cast<std::int32_t>(Get32(extra, at + 5));
        at += 4 + size;
    }
    return std::nullopt;
}

// The Zip64 extra field of a central record: each classic field that holds all ones has
// its 8-byte value there, in the order size, compressed size, offset. False when one is
// missing.
bool ReadZip64Field(std::span<const std::uint8_t> extra, ZipEntry& entry) {
    std::uint64_t* wanted[3] = {entry.size == kAllOnes32 ? &entry.size : nullptr,
                                entry.compressedSize == kAllOnes32 ? &entry.compressedSize : nullptr,
                                entry.localOffset == kAllOnes32 ? &entry.localOffset : nullptr};
    if (!wanted[0] && !wanted[1] && !wanted[2]) return true;
    for (std::size_t at = 0; at + 4 <= extra.size();) {
        const std::uint16_t tag = Get16(extra, at), size = Get16(extra, at + 2);
        if (at + 4 + size > extra.size()) break;
        if (tag == kZip64Field) {
            std::size_t field = at + 4;
            for (std::uint64_t* value : wanted) {
                if (!value) continue;
                if (field + 8 > at + 4 + size) return false;
                *value = Get64(extra, field);
                field += 8;
            }
            return true;
        }
        at += 4 + size;
    }
    return false;
}

// The end record of a central directory and what stands around it in the file's tail.
struct EndOfArchive {
    std::vector<std::uint8_t> tail;  // the file's last bytes, the end record among them
    std::uint64_t tailStart = 0;     // where they start in the file
    std::size_t end = 0;             // where the end record starts in `tail`
};

// The end record is the last one of its signature whose comment reaches the end.
ZipReadStatus FindEnd(const ReadableFile& file, EndOfArchive& found) {
    const std::uint64_t fileSize = file.Size();
    if (fileSize < kEndSize) return ZipReadStatus::NotAZip;
    const std::size_t tailSize = static_cast<std::size_t>(std::min<std::uint64_t>(fileSize, kEndSearch));
    found.tail.resize(tailSize);
    found.tailStart = fileSize - tailSize;
    if (!file.ReadAt(found.tailStart, found.tail)) return ZipReadStatus::Damaged;
    for (std::size_t at = tailSize - kEndSize + 1; at-- > 0;) {
        if (Get32(found.tail, at) == kEndOfCentralDirectory && at + kEndSize + Get16(found.tail, at + 20) == tailSize) {
            found.end = at;
            return ZipReadStatus::Ok;
        }
    }
    return ZipReadStatus::NotAZip;
}

std::string CommentOf(const EndOfArchive& found) {
    const auto* start = found.tail.data() + found.end + kEndSize;
    return std::string(start, found.tail.data() + found.tail.size());
}

bool Inflate(std::span<const std::uint8_t> in, std::span<std::uint8_t> out) {
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return false;
    stream.next_in = const_cast<Bytef*>(in.data());
    stream.avail_in = static_cast<uInt>(in.size());
    // An empty entry still needs somewhere to point: zlib refuses a null buffer.
    std::uint8_t none = 0;
    stream.next_out = out.empty() ? &none : out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    const int result = inflate(&stream, Z_FINISH);
    const bool whole = result == Z_STREAM_END && stream.total_out == out.size();
    inflateEnd(&stream);
    return whole;
}

}  // namespace

ZipReadStatus ReadZipComment(const std::filesystem::path& path, std::string& comment) {
    comment.clear();
    ReadableFile file;
    if (file.Open(path) != ReadStatus::Ok) return ZipReadStatus::CannotOpen;
    EndOfArchive found;
    const ZipReadStatus status = FindEnd(file, found);
    if (status == ZipReadStatus::Ok) comment = CommentOf(found);
    return status;
}

ZipReadStatus ZipArchive::Open(const std::filesystem::path& path) {
    entries_.clear();
    comment_.clear();
    readFailure_ = file_.Open(path);
    if (readFailure_ != ReadStatus::Ok) return ZipReadStatus::CannotOpen;
    EndOfArchive found;
    if (const ZipReadStatus status = FindEnd(file_, found); status != ZipReadStatus::Ok) return status;
    const std::vector<std::uint8_t>& tail = found.tail;
    const std::uint64_t tailStart = found.tailStart;
    const std::optional<std::size_t> end = found.end;
    const std::uint16_t disk = Get16(tail, *end + 4), directoryDisk = Get16(tail, *end + 6);
    std::uint64_t entriesHere = Get16(tail, *end + 8), entryCount = Get16(tail, *end + 10);
    std::uint64_t directorySize = Get32(tail, *end + 12), directoryOffset = Get32(tail, *end + 16);
    if (disk != 0 || directoryDisk != 0) return ZipReadStatus::Unsupported;
    // Where the directory must end: the Zip64 end record, when there is one, else the end record.
    std::uint64_t directoryEnd = tailStart + *end;
    if (*end >= kZip64LocatorSize && Get32(tail, *end - kZip64LocatorSize) == kZip64EndLocator) {
        const std::size_t locator = *end - kZip64LocatorSize;
        const std::uint64_t zip64End = Get64(tail, locator + 8);
        if (Get32(tail, locator + 4) != 0 || Get32(tail, locator + 16) != 1) return ZipReadStatus::Unsupported;
        std::vector<std::uint8_t> record(kZip64EndSize);
        if (zip64End + kZip64EndSize > tailStart + locator || !file_.ReadAt(zip64End, record) ||
            Get32(record, 0) != kZip64End)
            return ZipReadStatus::Damaged;
        if (Get32(record, 16) != 0 || Get32(record, 20) != 0) return ZipReadStatus::Unsupported;
        entriesHere = Get64(record, 24);
        entryCount = Get64(record, 32);
        directorySize = Get64(record, 40);
        directoryOffset = Get64(record, 48);
        directoryEnd = zip64End;
    }
    if (entriesHere != entryCount) return ZipReadStatus::Unsupported;
    if (directoryOffset > directoryEnd || directorySize > directoryEnd - directoryOffset ||
        entryCount > directorySize / kCentralHeaderSize)
        return ZipReadStatus::Damaged;

    std::vector<std::uint8_t> directory(static_cast<std::size_t>(directorySize));
    if (!file_.ReadAt(directoryOffset, directory)) return ZipReadStatus::Damaged;
    std::vector<ZipEntry> entries;
    entries.reserve(static_cast<std::size_t>(entryCount));
    std::size_t at = 0;
    for (std::uint64_t i = 0; i < entryCount; ++i) {
        if (at + kCentralHeaderSize > directory.size() || Get32(directory, at) != kCentralHeader)
            return ZipReadStatus::Damaged;
        ZipEntry entry;
        entry.flags = Get16(directory, at + 8);
        entry.method = Get16(directory, at + 10);
        entry.dosTime = {Get16(directory, at + 14), Get16(directory, at + 12)};
        entry.crc = Get32(directory, at + 16);
        entry.compressedSize = Get32(directory, at + 20);
        entry.size = Get32(directory, at + 24);
        const std::size_t nameSize = Get16(directory, at + 28), extraSize = Get16(directory, at + 30),
                          commentSize = Get16(directory, at + 32);
        entry.localOffset = Get32(directory, at + 42);
        if (Get16(directory, at + 34) != 0) return ZipReadStatus::Unsupported;  // on another disk
        const std::size_t next = at + kCentralHeaderSize + nameSize + extraSize + commentSize;
        if (next > directory.size()) return ZipReadStatus::Damaged;
        const auto* name = directory.data() + at + kCentralHeaderSize;
        entry.name.assign(name, name + nameSize);
        const std::span<const std::uint8_t> extra(name + nameSize, extraSize);
        entry.modifiedUnix = TimestampIn(extra);
        if (!ReadZip64Field(extra, entry)) return ZipReadStatus::Damaged;
        entries.push_back(std::move(entry));
        at = next;
    }
    entries_ = std::move(entries);
    comment_ = CommentOf(found);
    return ZipReadStatus::Ok;
}

const ZipEntry* ZipArchive::Find(std::string_view name) const {
    const auto found =
        std::find_if(entries_.begin(), entries_.end(), [&](const ZipEntry& e) { return e.name == name; });
    return found == entries_.end() ? nullptr : &*found;
}

std::optional<std::uint64_t> ZipArchive::DataOffset(const ZipEntry& entry) const {
    std::vector<std::uint8_t> header(kLocalHeaderSize);
    if (!file_.ReadAt(entry.localOffset, header) || Get32(header, 0) != kLocalHeader) return std::nullopt;
    const std::uint64_t dataOffset = entry.localOffset + kLocalHeaderSize + Get16(header, 26) + Get16(header, 28);
    if (dataOffset > file_.Size() || entry.compressedSize > file_.Size() - dataOffset) return std::nullopt;
    return dataOffset;
}

ZipReadStatus ZipArchive::Read(const ZipEntry& entry, std::vector<std::uint8_t>& bytes, std::uint64_t largest) const {
    bytes.clear();
    if ((entry.flags & kEncryptedFlag) != 0 || (entry.method != kStored && entry.method != kDeflated) ||
        entry.size > largest || entry.compressedSize > largest)
        return ZipReadStatus::Unsupported;
    if (entry.size > (entry.compressedSize + 1) * kMostInflation) return ZipReadStatus::Damaged;
    const std::optional<std::uint64_t> dataOffset = DataOffset(entry);
    if (!dataOffset) return ZipReadStatus::Damaged;
    std::vector<std::uint8_t> stored(static_cast<std::size_t>(entry.compressedSize));
    if (!file_.ReadAt(*dataOffset, stored)) return ZipReadStatus::Damaged;

    std::vector<std::uint8_t> out;
    if (entry.method == kStored) {
        if (entry.compressedSize != entry.size) return ZipReadStatus::Damaged;
        out = std::move(stored);
    } else {
        out.resize(static_cast<std::size_t>(entry.size));
        if (!Inflate(stored, out)) return ZipReadStatus::Damaged;
    }
    if (Crc32Of(out) != entry.crc) return ZipReadStatus::Damaged;
    bytes = std::move(out);
    return ZipReadStatus::Ok;
}

ZipReadStatus ZipArchive::Check(const ZipEntry& entry) const {
    if ((entry.flags & kEncryptedFlag) != 0 || (entry.method != kStored && entry.method != kDeflated))
        return ZipReadStatus::Unsupported;
    if (entry.size > (entry.compressedSize + 1) * kMostInflation) return ZipReadStatus::Damaged;
    if (entry.method == kStored && entry.compressedSize != entry.size) return ZipReadStatus::Damaged;
    const std::optional<std::uint64_t> dataOffset = DataOffset(entry);
    if (!dataOffset) return ZipReadStatus::Damaged;

    constexpr std::size_t kPiece = 64 * 1024;
    std::vector<std::uint8_t> in(kPiece), out(kPiece);
    z_stream stream{};
    if (entry.method == kDeflated && inflateInit2(&stream, -MAX_WBITS) != Z_OK) return ZipReadStatus::Damaged;
    uLong crc = crc32(0, nullptr, 0);
    std::uint64_t inflated = 0;
    bool whole = true, ended = entry.method == kStored;
    for (std::uint64_t done = 0; whole && done < entry.compressedSize;) {
        const std::size_t piece =
            static_cast<std::size_t>(std::min<std::uint64_t>(kPiece, entry.compressedSize - done));
        if (!file_.ReadAt(*dataOffset + done, std::span(in.data(), piece))) {
            whole = false;
            break;
        }
        done += piece;
        if (entry.method == kStored) {
            crc = crc32(crc, in.data(), static_cast<uInt>(piece));
            inflated += piece;
            continue;
        }
        stream.next_in = in.data();
        stream.avail_in = static_cast<uInt>(piece);
        while (whole && stream.avail_in > 0 && !ended) {
            stream.next_out = out.data();
            stream.avail_out = static_cast<uInt>(out.size());
            const int result = inflate(&stream, Z_NO_FLUSH);
            const std::size_t made = out.size() - stream.avail_out;
            crc = crc32(crc, out.data(), static_cast<uInt>(made));
            inflated += made;
            if (result == Z_STREAM_END)
                ended = true;
            else if (result != Z_OK || inflated > entry.size)
                whole = false;
        }
        // Bytes after the end of the deflate stream belong to no entry.
        if (ended && stream.avail_in > 0) whole = false;
    }
    if (entry.method == kDeflated) inflateEnd(&stream);
    if (!whole || !ended || inflated != entry.size || crc != entry.crc) return ZipReadStatus::Damaged;
    return ZipReadStatus::Ok;
}

ZipReadStatus ZipArchive::CheckEveryEntry() const {
    for (const ZipEntry& entry : entries_) {
        const ZipReadStatus status = Check(entry);
        if (status != ZipReadStatus::Ok) return status;
    }
    return ZipReadStatus::Ok;
}
