#include "lock/win32/remembered_key.h"

#include <windows.h>
#include <wincrypt.h>

#include <vector>

#include "lock/key_file.h"
#include "platform/file_read.h"

namespace {

// Mixed into the protection, so that a program that unprotects whatever it finds of this
// user's without it gets nothing.
constexpr char kPurpose[] = "Doodlebinder diary key, remembered on this computer";

DATA_BLOB Blob(std::span<const std::uint8_t> bytes) {
    return {static_cast<DWORD>(bytes.size()), const_cast<BYTE*>(bytes.data())};
}

}  // namespace

std::filesystem::path RememberedKeyPath(const std::filesystem::path& computerFolder) {
    return computerFolder / L"remembered.key";
}

WriteStatus RememberDiaryKey(const std::filesystem::path& file, const DiaryKey& key) {
    DATA_BLOB plain = Blob(key.Bytes());
    DATA_BLOB purpose = Blob({reinterpret_cast<const std::uint8_t*>(kPurpose), sizeof kPurpose - 1});
    DATA_BLOB sealed{};
    if (!CryptProtectData(&plain, L"Doodlebinder", &purpose, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN, &sealed))
        return WriteStatus::CannotWrite;
    const std::vector<std::uint8_t> bytes(sealed.pbData, sealed.pbData + sealed.cbData);
    LocalFree(sealed.pbData);
    std::error_code ignored;
    std::filesystem::create_directories(file.parent_path(), ignored);
    return WriteFileSafely(file, bytes, Durability::Durable);
}

std::optional<DiaryKey> RecallDiaryKey(const std::filesystem::path& file, std::span<const std::uint8_t> keyFile) {
    std::vector<std::uint8_t> bytes;
    if (ReadFileBytes(file, bytes) != ReadStatus::Ok) return std::nullopt;
    DATA_BLOB sealed = Blob(bytes);
    DATA_BLOB purpose = Blob({reinterpret_cast<const std::uint8_t*>(kPurpose), sizeof kPurpose - 1});
    DATA_BLOB plain{};
    if (!CryptUnprotectData(&sealed, nullptr, &purpose, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN, &plain))
        return std::nullopt;
    std::optional<DiaryKey> key;
    if (plain.cbData == kDiaryKeyBytes) {
        key.emplace(std::span<const std::uint8_t, kDiaryKeyBytes>(plain.pbData, kDiaryKeyBytes));
        // A key remembered for a diary locked anew since opens none of its files.
        if (CheckKeyOfFile(keyFile, *key) != KeyFileStatus::Ok) key.reset();
    }
    WipeSecret({plain.pbData, plain.cbData});
    LocalFree(plain.pbData);
    return key;
}

bool ForgetDiaryKey(const std::filesystem::path& file) { return RemoveFileIfThere(file); }
