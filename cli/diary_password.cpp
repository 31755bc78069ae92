#include "cli/diary_password.h"

#include <CLI/CLI.hpp>

#include "cli/console_text.h"
#include "diarycore/day_file_seal.h"
#include "lock/diary_seal.h"
#include "lock/locked_names.h"
#include "platform/utf8.h"

namespace fs = std::filesystem;

bool HasKeyFile(const fs::path& data) {
    // The folder's name as it is: on Linux it need not be UTF-8, and a plain diary's
    // commands run whatever it is. A key file that cannot be looked at is taken as there:
    // opening it then says why.
    std::error_code failed;
    return fs::exists(data / KeyFilePath(u""), failed) || failed;
}

void AddPasswordOptions(CLI::App& command, PasswordOptions& options) {
    CLI::Option* file = command
                            .add_option("--password-file", options.passwordFile,
                                        "Take the locked diary's password from the first line of FILE (without it, "
                                        "it is asked on the terminal)")
                            ->type_name("FILE");
    command.add_option("--recovery-key", options.recoveryKey, "Open the locked diary with its recovery key instead")
        ->type_name("KEY")
        ->excludes(file);
}

void AddDiaryPasswordOptions(CLI::App& command, PasswordOptions& options) {
    AddPasswordOptions(command, options);
    command.footer(command.get_footer() +
                   "\n  77  the diary is locked, and the password or the recovery key does not open it: nothing "
                   "was read or written");
}

std::string FileWithin(const std::string& folder, const std::u16string& name) {
    return folder + (folder.ends_with('/') ? "" : "/") + EncodeUtf8(name);
}

std::string ShownKeyFile(const std::string& shownData) { return FileWithin(shownData, KeyFilePath(u"").u16string()); }

int TypedPasswordExitCode(const TypedPassword& typed, const std::string& shownFile, const std::string& noTerminal,
                          const ErrorLine& error) {
    switch (typed.status) {
    case TypedPasswordStatus::Ok: return kExitOk;
    case TypedPasswordStatus::CannotRead:
        error(shownFile + ": the password file could not be read");
        return kExitFileFailed;
    case TypedPasswordStatus::Empty: error("the password is empty"); return kExitUsage;
    case TypedPasswordStatus::NoTerminal: error(noTerminal); return kExitUsage;
    }
    return kExitUsage;
}

int KeyFileExitCode(ConversionStatus status, const std::string& keyFile, bool byRecoveryKey, const ErrorLine& error) {
    switch (status) {
    case ConversionStatus::Ok: return kExitOk;
    case ConversionStatus::WrongPassword:
        error(byRecoveryKey ? "that is not the diary's recovery key" : "the password does not open the diary");
        return kExitWrongPassword;
    case ConversionStatus::UnknownVersion: error(keyFile + ": written by a later version of the program"); break;
    case ConversionStatus::CryptoUnavailable: error("the cryptographic library could not run"); break;
    case ConversionStatus::CannotRead: error(keyFile + ": the key file could not be read"); break;
    default: error(keyFile + ": the key file is damaged; restore it from a backup"); break;
    }
    return kExitFileFailed;
}

ConsoleKey OpenLockedDiary(const fs::path& data, const std::string& shownData, const PasswordOptions& options,
                           const fs::path& passwordFile, const ErrorLine& error) {
    if (!HasKeyFile(data)) {
        error(shownData + ": the diary is not locked");
        return {kExitNothingFound, {}};
    }
    OpenedDiaryKey opened;
    const bool byRecoveryKey = !options.recoveryKey.empty();
    if (byRecoveryKey) {
        opened = OpenDiaryKeyWithRecoveryKey(data, options.recoveryKey);
    } else {
        const TypedPassword typed = options.passwordFile.empty()
                                        ? AskPasswordOnTerminal("Password of the diary in " + shownData + ": ")
                                        : ReadPasswordFile(passwordFile);
        const int code = TypedPasswordExitCode(
            typed, options.passwordFile,
            shownData + ": the diary is locked; give --password-file FILE or --recovery-key KEY", error);
        if (code != kExitOk) return {code, {}};
        opened = OpenDiaryKey(data, typed.text);
    }
    const int code = KeyFileExitCode(opened.status, ShownKeyFile(shownData), byRecoveryKey, error);
    if (code != kExitOk) return {code, {}};
    return {kExitOk, opened.key};
}

int OpenDiaryForCommand(const fs::path& data, const std::string& shownData, const PasswordOptions& options,
                        const fs::path& passwordFile, const ErrorLine& error) {
    if (!HasKeyFile(data)) return kExitOk;
    const ConsoleKey opened = OpenLockedDiary(data, shownData, options, passwordFile, error);
    if (!opened.key) return opened.exitCode;
    // The commands name the diary's files from the folder as given, html from its
    // absolute path: the seal is in use for both.
    const std::shared_ptr<const DayFileSeal> seal = MakeDiarySeal(*opened.key);
    UseDayFileSeal(data, seal);
    std::error_code failed;
    const fs::path absolute = fs::absolute(data, failed);
    if (!failed) UseDayFileSeal(absolute, seal);
    return kExitOk;
}
