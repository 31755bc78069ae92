// The password of a locked diary on the console: the first line of --password-file, the
// recovery key given with --recovery-key, or the password typed on the terminal without
// echo. A command that reads the diary opens a locked one before it reads anything; a
// plain diary (no key file) is never asked for a password.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "cli/typed_password.h"
#include "lock/diary_conversion.h"

namespace CLI {
class App;
}

struct PasswordOptions {
    std::string passwordFile;
    std::string recoveryKey;
};

using ErrorLine = std::function<void(const std::string&)>;

// True when the diary in `data` has a key file: it is locked, wholly or in part.
bool HasKeyFile(const std::filesystem::path& data);

// --password-file FILE and --recovery-key KEY, one or the other.
void AddPasswordOptions(CLI::App& command, PasswordOptions& options);

// The password options of a command that reads the diary, and the exit code they add to
// the command's own in its help.
void AddDiaryPasswordOptions(CLI::App& command, PasswordOptions& options);

// "FOLDER/name": a file of the folder as the user named the folder.
std::string FileWithin(const std::string& folder, const std::u16string& name);

// The diary's key file, named from the folder as the user named it.
std::string ShownKeyFile(const std::string& shownData);

// The exit code of a password that could not be taken, after saying why; `shownFile` is
// the password file as given, `noTerminal` what is said where nothing can be asked.
int TypedPasswordExitCode(const TypedPassword& typed, const std::string& shownFile, const std::string& noTerminal,
                          const ErrorLine& error);

// The exit code of a key file that did not open, after saying why: 77 for a wrong
// password or recovery key, 3 for a key file damaged, too new or unreadable.
int KeyFileExitCode(ConversionStatus status, const std::string& keyFile, bool byRecoveryKey, const ErrorLine& error);

struct ConsoleKey {
    int exitCode = 0;
    std::optional<DiaryKey> key;
};

// The key of the locked diary in `data` (`shownData` as the user named it), from the
// recovery key, the password file (`passwordFile` as the system names it) or the
// terminal; the exit code and a message when there is none, 1 for a diary that is not
// locked.
ConsoleKey OpenLockedDiary(const std::filesystem::path& data, const std::string& shownData,
                           const PasswordOptions& options, const std::filesystem::path& passwordFile,
                           const ErrorLine& error);

// Before a command reads the diary in `data`: nothing to do for a plain diary; a locked
// one is opened, and from then on, for the rest of the run, its day files read plain and
// are written locked. 0, or the exit code after saying why the diary did not open.
int OpenDiaryForCommand(const std::filesystem::path& data, const std::string& shownData, const PasswordOptions& options,
                        const std::filesystem::path& passwordFile, const ErrorLine& error);
