// The dialog a locked diary opens with: the password, or, behind "Forgotten?", the
// recovery key written down when the diary was locked. What the user types is tried by
// the caller, which keeps the diary key it gives; the dialog only says what came of it,
// and tells a wrong password from a damaged key file.
#pragma once

#include <windows.h>

#include <filesystem>
#include <functional>
#include <string_view>

#include "lock/key_file.h"

// Tries the typed text (UTF-8) on the key file.
using KeyFileTry = std::function<KeyFileStatus(std::string_view typed)>;

struct PasswordTries {
    KeyFileTry password;
    KeyFileTry recoveryKey;
};

enum class PasswordOutcome {
    Opened,               // a password opened the diary
    OpenedByRecoveryKey,  // the recovery key did: a new password is to be set
    Cancelled,            // the user quit, or the key file cannot be used (said in a message)
};

struct PasswordAnswer {
    PasswordOutcome outcome = PasswordOutcome::Cancelled;
    bool remember = false;  // the key is to be remembered for this Windows user on this computer
};

PasswordAnswer AskDiaryPassword(HWND owner, HINSTANCE instance, const std::filesystem::path& diary,
                                const std::filesystem::path& keyFile, const PasswordTries& tries);
