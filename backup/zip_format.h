// The fixed parts of the zip format (PKWARE's APPNOTE) that both the writer and the
// reader use: signatures, header sizes, little-endian fields. Private to backup/.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <span>
#include <vector>

namespace zipformat {

constexpr std::uint32_t kLocalHeader = 0x04034b50;
constexpr std::uint32_t kCentralHeader = 0x02014b50;
constexpr std::uint32_t kEndOfCentralDirectory = 0x06054b50;
constexpr std::uint32_t kZip64EndLocator = 0x07064b50;
constexpr std::uint32_t kZip64End = 0x06064b50;
constexpr std::size_t kLocalHeaderSize = 30;
constexpr std::size_t kCentralHeaderSize = 46;
constexpr std::size_t kEndSize = 22;
constexpr std::size_t kZip64LocatorSize = 20;
constexpr std::size_t kZip64EndSize = 56;
// Zip64 (APPNOTE 4.3.14, 4.5.3): past 65,534 entries or 4 GB a classic field holds all
// ones and the real value is in a Zip64 record or extra field.
constexpr std::uint16_t kZip64Field = 0x0001;
constexpr std::uint16_t kVersionZip64 = 45;  // 4.5: Zip64
constexpr std::uint16_t kAllOnes16 = 0xFFFF;
constexpr std::uint32_t kAllOnes32 = 0xFFFFFFFF;

constexpr std::uint16_t kStored = 0;
constexpr std::uint16_t kDeflated = 8;
constexpr std::uint16_t kVersion = 20;  // 2.0: deflate, folders; host MS-DOS
constexpr std::uint16_t kEncryptedFlag = 1 << 0;
constexpr std::uint16_t kUtf8NameFlag = 1 << 11;
// The "extended timestamp" extra field: the modification time in UTC seconds, which
// unzip and 7-Zip restore in place of the local two-second DOS time.
constexpr std::uint16_t kTimestampField = 0x5455;

inline void Put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}
inline void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}
inline void Put64(std::vector<std::uint8_t>& out, std::uint64_t value) {
    Put32(out, static_cast<std::uint32_t>(value));
    Put32(out, static_cast<std::uint32_t>(value >> 32));
}
inline std::uint16_t Get16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}
inline std::uint32_t Get32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return Get16(bytes, at) | (static_cast<std::uint32_t>(Get16(bytes, at + 2)) << 16);
}

inline std::uint64_t Get64(std::span<const std::uint8_t> bytes, std::size_t at) {
    return Get32(bytes, at) | (static_cast<std::uint64_t>(Get32(bytes, at + 4)) << 32);
}

// The CRC-32 a zip entry carries, of bytes held whole.
inline std::uint32_t Crc32Of(std::span<const std::uint8_t> bytes) {
    return static_cast<std::uint32_t>(crc32(crc32(0, nullptr, 0), bytes.data(), static_cast<uInt>(bytes.size())));
}

}  // namespace zipformat
