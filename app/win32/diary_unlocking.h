// A locked diary is opened before its window shows anything of it: by the key remembered
// for this Windows user on this computer, or else by its password, or by the recovery key
// behind "Forgotten?", which then asks for a new password. The opened diary's files are
// sealed and opened with its key from then on (diarycore/day_file_seal.h).
#pragma once

#include <windows.h>

#include <filesystem>

// True when the diary may be shown: it is not locked, or it was opened. False when the
// user gave up, or the key file cannot be used (said in a message).
bool OpenLockedDiary(HWND owner, HINSTANCE instance, const std::filesystem::path& diary);
// The same once the diary locked again while open: the password is asked whatever was
// remembered, since a key remembered on this computer would open it for anyone at it.
bool OpenLockedDiaryAgain(HWND owner, HINSTANCE instance, const std::filesystem::path& diary);
