// doodlebinder-export unlock and decrypt: a locked diary made plain again in its folder,
// or a plain copy of it written into another, opened by the password (the first line of
// --password-file, or typed on the terminal) or by --recovery-key. A wrong password or
// recovery key exits 77 and changes nothing.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace CLI {
class App;
}

struct PasswordOptions {
    std::string passwordFile;
    std::string recoveryKey;
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

CLI::App* AddUnlockCommand(CLI::App& app, UnlockOptions& options);
CLI::App* AddDecryptCommand(CLI::App& app, DecryptOptions& options);

using ErrorLine = std::function<void(const std::string&)>;

// The folders as the system names the arguments, and the password file's path; the exit
// code; messages go to `error`.
int RunUnlock(const UnlockOptions& options, const std::filesystem::path& data,
              const std::filesystem::path& passwordFile, const ErrorLine& error);
int RunDecrypt(const DecryptOptions& options, const std::filesystem::path& data, const std::filesystem::path& to,
               const std::filesystem::path& passwordFile, const ErrorLine& error);
