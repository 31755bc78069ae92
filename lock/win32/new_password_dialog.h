// A new password for a locked diary, typed twice so that a slip of the finger does not
// lock the diary with a password nobody knows: to lock the diary, to change its password,
// and after the recovery key opened it.
#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>

enum class NewPasswordReason {
    Lock,       // the diary is about to be locked
    Change,     // the password is changed; no page is written again
    Recovered,  // the recovery key opened the diary
};

// The password, UTF-8, when both fields agree and are not empty; nothing when the user
// cancelled.
std::optional<std::string> AskNewPassword(HWND owner, HINSTANCE instance, const std::filesystem::path& diary,
                                          NewPasswordReason reason);
