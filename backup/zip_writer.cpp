#include "zip_writer.h"

#include <zlib.h>

#include <algorithm>
#include <limits>

#include "backup/dos_time.h"
#include "platform/file_write.h"
#include "platform/utf8.h"
#include "zip_format.h"

using namespace zipformat;

namespace {

// Ten years of drawings deflate at level 3 in a third of the time level 6 takes, into a
// zip a tenth larger: a snapshot is made every hour, and must not keep a core busy.
constexpr int kLevel = 3;

// The timestamp extra field with the modification time only; none for a time a signed
// 32-bit field cannot hold, where the DOS time alone stands.
std::vector<std::uint8_t> TimestampField(std::int64_t modifiedUnix) {
    std::vector<std::uint8_t> field;
    if (modifiedUnix < std::numeric_limits<std::int32_t>::min() ||
        modifiedUnix > std::numeric_limits<std::int32_t>::max())
        return field;
    Put16(field, kTimestampField);
    Put16(field, 5);
    field.push_back(1);  // the modification time follows
    Put32(field, static_cast<std::uint32_t>(static_cast<std::int32_t>(modifiedUnix)));
    return field;
}

}  // namespace

ZipWriter::ZipWriter(PendingFile& file) : file_(file) {
    auto* stream = new z_stream{};
    // Raw deflate, as zip entries hold it: no zlib header, no Adler-32.
    if (deflateInit2(stream, kLevel, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
        delete stream;
        status_ = ZipWriteStatus::CannotCompress;
        return;
    }
    deflater_ = stream;
}

ZipWriter::~ZipWriter() {
    if (auto* stream = static_cast<z_stream*>(deflater_)) {
        deflateEnd(stream);
        delete stream;
    }
}

ZipWriteStatus ZipWriter::Emit(std::span<const std::uint8_t> bytes) {
    if (!file_.Write(bytes)) return status_ = ZipWriteStatus::CannotWrite;
    offset_ += bytes.size();
    return ZipWriteStatus::Ok;
}

ZipWriteStatus ZipWriter::Add(std::string_view name, std::span<const std::uint8_t> bytes, std::int64_t modifiedUnix) {
    if (status_ != ZipWriteStatus::Ok) return status_;
    if (name.size() > kAllOnes16 || bytes.size() >= kAllOnes32) return status_ = ZipWriteStatus::TooLarge;

    auto* stream = static_cast<z_stream*>(deflater_);
    deflateReset(stream);
    compressed_.resize(deflateBound(stream, static_cast<uLong>(bytes.size())));
    stream->next_in = const_cast<Bytef*>(bytes.data());
    stream->avail_in = static_cast<uInt>(bytes.size());
    stream->next_out = compressed_.data();
    stream->avail_out = static_cast<uInt>(compressed_.size());
    if (deflate(stream, Z_FINISH) != Z_STREAM_END) return status_ = ZipWriteStatus::CannotCompress;
    // Bytes that do not shrink (a PNG, a JPEG) are stored as they are.
    const bool deflated = stream->total_out < bytes.size();
    const std::span<const std::uint8_t> data =
        deflated ? std::span<const std::uint8_t>(compressed_.data(), stream->total_out) : bytes;
    const std::uint64_t localOffset = offset_;
    const std::vector<std::uint8_t> extra = TimestampField(modifiedUnix);
    // An entry that starts past 4 GB has its offset in a Zip64 field of its central record.
    const bool farOffset = localOffset >= kAllOnes32;
    std::vector<std::uint8_t> centralExtra = extra;
    if (farOffset) {
        Put16(centralExtra, kZip64Field);
        Put16(centralExtra, 8);
        Put64(centralExtra, localOffset);
    }

    const auto* nameBytes = reinterpret_cast<const std::uint8_t*>(name.data());
    bool multiByte = false;
    const bool utf8 = IsValidUtf8({nameBytes, name.size()}, multiByte);
    const std::uint16_t flags = utf8 ? kUtf8NameFlag : 0;
    const DosDateTime dos = DosDateTimeOf(LocalTimeOf(modifiedUnix));
    const std::uint32_t crc = Crc32Of(bytes);

    // The fields a local header and its central record share, from "version needed" on,
    // but for the length of the extra field.
    std::vector<std::uint8_t> common;
    Put16(common, farOffset ? kVersionZip64 : kVersion);
    Put16(common, flags);
    Put16(common, deflated ? kDeflated : kStored);
    Put16(common, dos.time);
    Put16(common, dos.date);
    Put32(common, crc);
    Put32(common, static_cast<std::uint32_t>(data.size()));
    Put32(common, static_cast<std::uint32_t>(bytes.size()));
    Put16(common, static_cast<std::uint32_t>(name.size()));

    std::vector<std::uint8_t> local;
    Put32(local, kLocalHeader);
    local.insert(local.end(), common.begin(), common.end());
    Put16(local, static_cast<std::uint32_t>(extra.size()));
    local.insert(local.end(), nameBytes, nameBytes + name.size());
    local.insert(local.end(), extra.begin(), extra.end());
    if (Emit(local) != ZipWriteStatus::Ok || Emit(data) != ZipWriteStatus::Ok) return status_;

    Put32(central_, kCentralHeader);
    Put16(central_, farOffset ? kVersionZip64 : kVersion);  // made by
    central_.insert(central_.end(), common.begin(), common.end());
    Put16(central_, static_cast<std::uint32_t>(centralExtra.size()));
    Put16(central_, 0);  // comment length
    Put16(central_, 0);  // disk number
    Put16(central_, 0);  // internal attributes
    Put32(central_, 0);  // external attributes: a plain file
    Put32(central_, farOffset ? kAllOnes32 : static_cast<std::uint32_t>(localOffset));
    central_.insert(central_.end(), nameBytes, nameBytes + name.size());
    central_.insert(central_.end(), centralExtra.begin(), centralExtra.end());
    ++entries_;
    return ZipWriteStatus::Ok;
}

ZipWriteStatus ZipWriter::Finish(std::string_view comment) {
    if (status_ != ZipWriteStatus::Ok) return status_;
    if (comment.size() > kAllOnes16) return status_ = ZipWriteStatus::TooLarge;
    const std::uint64_t centralOffset = offset_, centralSize = central_.size();
    if (Emit(central_) != ZipWriteStatus::Ok) return status_;
    std::vector<std::uint8_t> end;
    // Past what the classic end record holds, a Zip64 end record and its locator come
    // first, and the classic fields that do not fit hold all ones.
    const bool zip64 = entries_ >= kAllOnes16 || centralOffset >= kAllOnes32 || centralSize >= kAllOnes32;
    if (zip64) {
        const std::uint64_t zip64End = offset_;
        Put32(end, kZip64End);
        Put64(end, kZip64EndSize - 12);  // the size of what follows this field
        Put16(end, kVersionZip64);       // made by
        Put16(end, kVersionZip64);       // needed
        Put32(end, 0);                   // this disk
        Put32(end, 0);                   // the disk the directory starts on
        Put64(end, entries_);
        Put64(end, entries_);
        Put64(end, centralSize);
        Put64(end, centralOffset);
        Put32(end, kZip64EndLocator);
        Put32(end, 0);  // the disk of the Zip64 end record
        Put64(end, zip64End);
        Put32(end, 1);  // disks in all
    }
    const auto fit16 = [](std::uint64_t value) {
        return static_cast<std::uint32_t>(std::min<std::uint64_t>(value, kAllOnes16));
    };
    const auto fit32 = [](std::uint64_t value) {
        return static_cast<std::uint32_t>(std::min<std::uint64_t>(value, kAllOnes32));
    };
    Put32(end, kEndOfCentralDirectory);
    Put16(end, 0);  // this disk
    Put16(end, 0);  // the disk the directory starts on
    Put16(end, fit16(entries_));
    Put16(end, fit16(entries_));
    Put32(end, fit32(centralSize));
    Put32(end, fit32(centralOffset));
    Put16(end, static_cast<std::uint32_t>(comment.size()));
    end.insert(end.end(), comment.begin(), comment.end());
    return Emit(end);
}
