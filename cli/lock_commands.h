// doodlebinder-export lock, unlock and decrypt: a diary locked with a password, which
// shows the recovery key once; a locked diary made plain again in its folder, or a plain
// copy of it written into another, opened by the password (the first line of
// --password-file, or typed on the terminal) or by --recovery-key. A wrong password or
// recovery key exits 77 and changes nothing.
#pragma once

#include <filesystem>
#include <string>

#include "cli/diary_password.h"

namespace CLI {
class App;
}

struct LockOptions {
    std::string data;
    std::string passwordFile;
};

struct UnlockOptions {
    std::string data;
    PasswordOptions password;
};

struct DecryptOptions {
    std::string data;
    std::string to;
    PasswordOptions password;
};

CLI::App* AddLockCommand(CLI::App& app, LockOptions& options);
CLI::App* AddUnlockCommand(CLI::App& app, UnlockOptions& options);
CLI::App* AddDecryptCommand(CLI::App& app, DecryptOptions& options);

// The folders as the system names the arguments, and the password file's path; the exit
// code; messages go to `error`. A new key's recovery key is printed on stdout whenever the
// run made one, also when it stopped afterwards.
int RunLock(const LockOptions& options, const std::filesystem::path& data, const std::filesystem::path& passwordFile,
            const ErrorLine& error);
int RunUnlock(const UnlockOptions& options, const std::filesystem::path& data,
              const std::filesystem::path& passwordFile, const ErrorLine& error);
int RunDecrypt(const DecryptOptions& options, const std::filesystem::path& data, const std::filesystem::path& to,
               const std::filesystem::path& passwordFile, const ErrorLine& error);
