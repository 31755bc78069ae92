#include "lock/locked_file.h"

#include <algorithm>
#include <array>

#include "lock/byte_fields.h"
#include "lock/crypto_calls.h"

namespace {

// Not text in any code page the diary uses (the control characters), so no plain record
// or settings file can start with it; a bitmap starts with "BM".
constexpr std::array<std::uint8_t, 8> kMagic = {'D', 'B', 'L', 'O', 'C', 'K', 0x1A, 0x0A};
constexpr std::uint8_t kVersion = 1;
constexpr std::size_t kHeaderBytes = kMagic.size() + 2;  // magic, version, kind

// What the seal covers besides the file: its header, as written, and the day it belongs
// to, which is not stored (the file's name says it).
std::vector<std::uint8_t> AssociatedData(std::span<const std::uint8_t> header, std::uint32_t day) {
    std::vector<std::uint8_t> associated(header.begin(), header.end());
    PutU32(associated, day);
    return associated;
}

}  // namespace

bool IsLockedFileBytes(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= kMagic.size() && std::equal(kMagic.begin(), kMagic.end(), bytes.begin());
}

std::optional<std::vector<std::uint8_t>> LockFileBytes(const DiaryKey& key, const FileBinding& binding,
                                                       std::span<const std::uint8_t> plain) {
    std::vector<std::uint8_t> out;
    out.reserve(kLockedFileOverhead + plain.size());
    PutBytes(out, kMagic);
    PutU8(out, kVersion);
    PutU8(out, static_cast<std::uint8_t>(binding.kind));
    std::array<std::uint8_t, kSealNonceBytes> nonce{};
    if (!RandomNonceBytes(nonce)) return std::nullopt;
    PutBytes(out, nonce);
    const auto associated = AssociatedData(std::span(out).first(kHeaderBytes), binding.day);
    if (!SealGcmSiv(key.Bytes(), nonce, associated, plain, out)) return std::nullopt;
    return out;
}

LockedFileStatus OpenLockedFileBytes(const DiaryKey& key, const FileBinding& binding,
                                     std::span<const std::uint8_t> bytes, std::vector<std::uint8_t>& plain) {
    plain.clear();
    if (!IsLockedFileBytes(bytes)) return LockedFileStatus::NotLocked;
    ByteCursor cursor(bytes);
    cursor.Bytes(kMagic.size());
    const std::uint32_t version = cursor.U8();
    if (!cursor.ok()) return LockedFileStatus::Damaged;
    if (version != kVersion) return LockedFileStatus::UnknownVersion;
    const std::uint32_t kind = cursor.U8();
    const auto nonce = cursor.Bytes(kSealNonceBytes);
    if (!cursor.ok() || cursor.left() < kSealTagBytes) return LockedFileStatus::Damaged;
    // A file of another kind is refused here already; the seal would refuse it too.
    if (kind != static_cast<std::uint32_t>(binding.kind)) return LockedFileStatus::Damaged;
    const auto associated = AssociatedData(bytes.first(kHeaderBytes), binding.day);
    switch (
        OpenGcmSiv(key.Bytes(), nonce.first<kSealNonceBytes>(), associated, bytes.subspan(cursor.offset()), plain)) {
    case OpenResult::Ok: return LockedFileStatus::Ok;
    case OpenResult::Mismatch: return LockedFileStatus::Damaged;
    case OpenResult::Failed: break;
    }
    return LockedFileStatus::CryptoUnavailable;
}
