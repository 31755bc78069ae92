// "Remember on this computer": the diary key kept for the signed-in Windows user, so the
// diary opens without its password there. Windows protects the key (CryptProtectData)
// with the user's own logon secret: the file opens for that user only, and a copy of it
// carried to another computer or read by another user is of no use. The file lives in
// this computer's own folder of the diary.
#pragma once

#include <filesystem>
#include <optional>
#include <span>

#include "lock/diary_key.h"
#include "platform/file_write.h"

// The remembered key's file in this computer's folder of the diary.
std::filesystem::path RememberedKeyPath(const std::filesystem::path& computerFolder);

WriteStatus RememberDiaryKey(const std::filesystem::path& file, const DiaryKey& key);

// The key when the file is there, Windows opens it for this user and it is the key the
// key file wraps; nothing otherwise (the password is asked as if nothing was remembered).
std::optional<DiaryKey> RecallDiaryKey(const std::filesystem::path& file, std::span<const std::uint8_t> keyFile);

// No key remembered any longer; false when the file is still there.
bool ForgetDiaryKey(const std::filesystem::path& file);
