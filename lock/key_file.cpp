#include "lock/key_file.h"

#include <algorithm>
#include <array>
#include <optional>

#include "lock/byte_fields.h"
#include "lock/recovery_key.h"

namespace {

constexpr std::array<std::uint8_t, 8> kMagic = {'D', 'B', 'K', 'E', 'Y', 'S', 0x1A, 0x0A};
constexpr std::uint16_t kVersion = 1;
constexpr std::size_t kHeaderBytes = kMagic.size() + 2;

// Slot kinds, stored: numbers are never reused.
constexpr std::uint16_t kPasswordSlot = 1;
constexpr std::uint16_t kRecoverySlot = 2;

constexpr std::size_t kSaltBytes = 16;
constexpr std::size_t kCostBytes = 12;  // memory, passes, lanes
constexpr std::size_t kWrappedBytes = kDiaryKeyBytes + kSealTagBytes;
constexpr std::size_t kWrapSlotBytes = kCostBytes + kSaltBytes + kSealNonceBytes + kWrappedBytes;
constexpr std::size_t kKeyCheckBytes = kSealNonceBytes + kSealTagBytes;

// A cost past these is no file this program wrote: it is refused before it asks for
// gigabytes of memory or hours of work.
constexpr std::uint32_t kMostMemoryKiB = 4u << 20;  // 4 GiB
constexpr std::uint32_t kMostPasses = 1000;
constexpr std::uint32_t kMostLanes = 64;

// The key check: nothing sealed with the diary key. It tells whether a key given to
// ChangePassword is this diary's before a slot is written with it.
constexpr std::string_view kKeyCheckLabel = "diary key check";

struct Slot {
    std::uint16_t kind = 0;
    std::span<const std::uint8_t> body;
    std::span<const std::uint8_t> whole;  // kind, length and body, as stored
};

struct ParsedKeyFile {
    KeyFileStatus status = KeyFileStatus::Damaged;
    std::span<const std::uint8_t> header;
    std::span<const std::uint8_t> keyCheck;
    std::vector<Slot> slots;
};

std::span<const std::uint8_t> AsBytes(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

ParsedKeyFile Parse(std::span<const std::uint8_t> file) {
    ParsedKeyFile parsed;
    ByteCursor cursor(file);
    const auto magic = cursor.Bytes(kMagic.size());
    const std::uint32_t version = cursor.U16();
    if (!cursor.ok() || !std::ranges::equal(magic, kMagic)) return parsed;
    if (version != kVersion) {
        parsed.status = KeyFileStatus::UnknownVersion;
        return parsed;
    }
    // The checksum first: a slot of a changed file is never tried, so such a file reads as
    // damaged and never as a wrong password.
    if (file.size() < kHeaderBytes + kSha256Bytes) return parsed;
    const auto covered = file.first(file.size() - kSha256Bytes);
    if (!std::ranges::equal(Sha256(covered), file.last(kSha256Bytes))) return parsed;

    ByteCursor fields(covered);
    parsed.header = fields.Bytes(kHeaderBytes);
    parsed.keyCheck = fields.Bytes(kKeyCheckBytes);
    const std::uint32_t count = fields.U16();
    for (std::uint32_t i = 0; i < count && fields.ok(); ++i) {
        const std::size_t start = fields.offset();
        Slot slot;
        slot.kind = static_cast<std::uint16_t>(fields.U16());
        slot.body = fields.Bytes(fields.U32());
        slot.whole = covered.subspan(start, fields.offset() - start);
        parsed.slots.push_back(slot);
    }
    if (!fields.ok() || fields.left() != 0) return parsed;
    parsed.status = KeyFileStatus::Ok;
    return parsed;
}

// What a slot's seal covers: the file's magic and version, the slot's kind, its cost and
// salt. A slot moved into another kind or given another cost does not open.
std::vector<std::uint8_t> SlotAssociatedData(std::uint16_t kind, std::span<const std::uint8_t> costAndSalt) {
    std::vector<std::uint8_t> associated;
    PutBytes(associated, kMagic);
    PutU16(associated, kVersion);
    PutU16(associated, kind);
    PutBytes(associated, costAndSalt);
    return associated;
}

std::vector<std::uint8_t> KeyCheckAssociatedData() {
    std::vector<std::uint8_t> associated;
    PutBytes(associated, kMagic);
    PutU16(associated, kVersion);
    PutBytes(associated, AsBytes(kKeyCheckLabel));
    return associated;
}

bool KeyPassesCheck(const DiaryKey& key, std::span<const std::uint8_t> keyCheck, OpenResult& result) {
    std::vector<std::uint8_t> nothing;
    result = OpenGcmSiv(key.Bytes(), keyCheck.first<kSealNonceBytes>(), KeyCheckAssociatedData(),
                        keyCheck.subspan(kSealNonceBytes), nothing);
    return result == OpenResult::Ok;
}

// A slot of a known kind: the diary key sealed with Argon2id of the secret. False when the
// library could not run.
bool AppendWrapSlot(std::vector<std::uint8_t>& out, std::uint16_t kind, std::span<const std::uint8_t> secret,
                    const Argon2Cost& cost, const DiaryKey& key) {
    std::vector<std::uint8_t> body;
    PutU32(body, cost.memoryKiB);
    PutU32(body, cost.passes);
    PutU32(body, cost.lanes);
    std::array<std::uint8_t, kSaltBytes> salt{};
    std::array<std::uint8_t, kSealNonceBytes> nonce{};
    if (!RandomNonceBytes(salt) || !RandomNonceBytes(nonce)) return false;
    PutBytes(body, salt);
    const auto associated = SlotAssociatedData(kind, body);
    PutBytes(body, nonce);
    DiaryKey wrapping;
    if (!DeriveArgon2id(secret, salt, cost, wrapping.MutableBytes())) return false;
    if (!SealGcmSiv(wrapping.Bytes(), nonce, associated, key.Bytes(), body)) return false;
    PutU16(out, kind);
    PutU32(out, static_cast<std::uint32_t>(body.size()));
    PutBytes(out, body);
    return true;
}

// The diary key from the first slot of the kind that the secret opens.
UnlockedKey Unwrap(std::span<const std::uint8_t> file, std::uint16_t kind, std::span<const std::uint8_t> secret,
                   KeyFileStatus wrongSecret) {
    UnlockedKey unlocked;
    const ParsedKeyFile parsed = Parse(file);
    if (parsed.status != KeyFileStatus::Ok) {
        unlocked.status = parsed.status;
        return unlocked;
    }
    unlocked.status = KeyFileStatus::NoSuchSlot;
    for (const Slot& slot : parsed.slots) {
        if (slot.kind != kind) continue;
        if (slot.body.size() != kWrapSlotBytes) return {KeyFileStatus::Damaged, {}};
        ByteCursor fields(slot.body);
        Argon2Cost cost;
        cost.memoryKiB = fields.U32();
        cost.passes = fields.U32();
        cost.lanes = fields.U32();
        const auto salt = fields.Bytes(kSaltBytes);
        const auto nonce = fields.Bytes(kSealNonceBytes);
        const auto wrapped = fields.Bytes(kWrappedBytes);
        if (cost.lanes < 1 || cost.lanes > kMostLanes || cost.passes < 1 || cost.passes > kMostPasses ||
            cost.memoryKiB < 8 * cost.lanes || cost.memoryKiB > kMostMemoryKiB)
            return {KeyFileStatus::Damaged, {}};
        if (secret.empty()) {  // no slot is made for an empty secret, and the library refuses one
            unlocked.status = wrongSecret;
            continue;
        }
        DiaryKey wrapping;
        if (!DeriveArgon2id(secret, salt, cost, wrapping.MutableBytes())) return {KeyFileStatus::CryptoUnavailable, {}};
        std::vector<std::uint8_t> plain;
        const auto associated = SlotAssociatedData(kind, slot.body.first(kCostBytes + kSaltBytes));
        const OpenResult opened =
            OpenGcmSiv(wrapping.Bytes(), nonce.first<kSealNonceBytes>(), associated, wrapped, plain);
        if (opened == OpenResult::Failed) return {KeyFileStatus::CryptoUnavailable, {}};
        if (opened == OpenResult::Mismatch) {
            unlocked.status = wrongSecret;
            continue;
        }
        std::copy(plain.begin(), plain.end(), unlocked.key.MutableBytes().begin());
        WipeSecret(plain);
        // An intact file whose slot opens to a key that fails the file's own check was
        // written wrongly: no day file would open with that key.
        OpenResult checked;
        if (!KeyPassesCheck(unlocked.key, parsed.keyCheck, checked))
            return {checked == OpenResult::Failed ? KeyFileStatus::CryptoUnavailable : KeyFileStatus::Damaged, {}};
        unlocked.status = KeyFileStatus::Ok;
        return unlocked;
    }
    return {unlocked.status, {}};
}

void AppendChecksum(std::vector<std::uint8_t>& file) { PutBytes(file, Sha256(file)); }

}  // namespace

NewKeyFile CreateKeyFile(std::string_view password, const Argon2Cost& passwordCost, const Argon2Cost& recoveryCost) {
    NewKeyFile made;
    if (password.empty()) {
        made.status = KeyFileStatus::EmptyPassword;
        return made;
    }
    RecoveryKey recovery;
    std::array<std::uint8_t, kSealNonceBytes> checkNonce{};
    if (!RandomKeyBytes(made.key.MutableBytes()) || !RandomKeyBytes(recovery.Bytes()) || !RandomNonceBytes(checkNonce))
        return made;
    std::vector<std::uint8_t> file;
    PutBytes(file, kMagic);
    PutU16(file, kVersion);
    PutBytes(file, checkNonce);
    if (!SealGcmSiv(made.key.Bytes(), checkNonce, KeyCheckAssociatedData(), {}, file)) return made;
    PutU16(file, 2);
    if (!AppendWrapSlot(file, kPasswordSlot, AsBytes(password), passwordCost, made.key) ||
        !AppendWrapSlot(file, kRecoverySlot, recovery.Bytes(), recoveryCost, made.key))
        return made;
    AppendChecksum(file);
    made.status = KeyFileStatus::Ok;
    made.bytes = std::move(file);
    made.recoveryText = RecoveryKeyText(recovery);
    return made;
}

UnlockedKey UnlockWithPassword(std::span<const std::uint8_t> keyFile, std::string_view password) {
    return Unwrap(keyFile, kPasswordSlot, AsBytes(password), KeyFileStatus::WrongPassword);
}

UnlockedKey UnlockWithRecoveryKey(std::span<const std::uint8_t> keyFile, std::string_view recoveryText) {
    const auto recovery = ParseRecoveryKey(recoveryText);
    // Text that is no recovery key still has the file looked at, so a damaged file says so.
    const auto parsed = Parse(keyFile);
    if (!recovery || parsed.status != KeyFileStatus::Ok)
        return {parsed.status != KeyFileStatus::Ok ? parsed.status : KeyFileStatus::WrongRecoveryKey, {}};
    return Unwrap(keyFile, kRecoverySlot, recovery->Bytes(), KeyFileStatus::WrongRecoveryKey);
}

KeyFileStatus CheckKeyOfFile(std::span<const std::uint8_t> keyFile, const DiaryKey& key) {
    const ParsedKeyFile parsed = Parse(keyFile);
    if (parsed.status != KeyFileStatus::Ok) return parsed.status;
    OpenResult checked;
    if (!KeyPassesCheck(key, parsed.keyCheck, checked))
        return checked == OpenResult::Failed ? KeyFileStatus::CryptoUnavailable : KeyFileStatus::KeyMismatch;
    return KeyFileStatus::Ok;
}

RewrittenKeyFile ChangePassword(std::span<const std::uint8_t> keyFile, const DiaryKey& key,
                                std::string_view newPassword, const Argon2Cost& cost) {
    const ParsedKeyFile parsed = Parse(keyFile);
    if (parsed.status != KeyFileStatus::Ok) return {parsed.status, {}};
    if (newPassword.empty()) return {KeyFileStatus::EmptyPassword, {}};
    if (const KeyFileStatus checked = CheckKeyOfFile(keyFile, key); checked != KeyFileStatus::Ok) return {checked, {}};

    std::vector<std::uint8_t> file(parsed.header.begin(), parsed.header.end());
    PutBytes(file, parsed.keyCheck);
    const auto others = std::ranges::count_if(parsed.slots, [](const Slot& s) { return s.kind != kPasswordSlot; });
    PutU16(file, static_cast<std::uint16_t>(others + 1));
    // The new password slot takes the old one's place; a file without one gets it first.
    bool written = false;
    for (const Slot& slot : parsed.slots) {
        if (slot.kind == kPasswordSlot) {
            if (!written && !AppendWrapSlot(file, kPasswordSlot, AsBytes(newPassword), cost, key))
                return {KeyFileStatus::CryptoUnavailable, {}};
            written = true;
        } else {
            PutBytes(file, slot.whole);
        }
    }
    if (!written) {
        std::vector<std::uint8_t> slots(file.begin() + static_cast<std::ptrdiff_t>(kHeaderBytes + kKeyCheckBytes + 2),
                                        file.end());
        file.resize(kHeaderBytes + kKeyCheckBytes + 2);
        if (!AppendWrapSlot(file, kPasswordSlot, AsBytes(newPassword), cost, key))
            return {KeyFileStatus::CryptoUnavailable, {}};
        PutBytes(file, slots);
    }
    AppendChecksum(file);
    return {KeyFileStatus::Ok, std::move(file)};
}
