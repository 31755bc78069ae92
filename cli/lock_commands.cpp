#include "cli/lock_commands.h"

#include <CLI/CLI.hpp>

#include <optional>

#include "cli/console_out.h"
#include "cli/console_text.h"
#include "cli/typed_password.h"
#include "lock/diary_conversion.h"
#include "lock/locked_names.h"
#include "platform/program_texts.h"
#include "platform/utf8.h"
#include "platform/write_fault.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kExitCodes =
    "Exit codes:\n"
    "  0   done\n"
    "  1   the diary is not locked\n"
    "  3   a file could not be read, written or removed, or the key file is damaged\n"
    "  4   done, but some locked day files do not open and are left as they are\n"
    "  64  bad usage, or no password given where none can be asked for\n"
    "  77  the password or the recovery key does not open the diary: nothing was changed";

void AddPasswordOptions(CLI::App& command, PasswordOptions& options) {
    CLI::Option* file =
        command
            .add_option("--password-file", options.passwordFile,
                        "Take the password from the first line of FILE (without it, it is asked on the terminal)")
            ->type_name("FILE");
    command.add_option("--recovery-key", options.recoveryKey, "Open the diary with its recovery key instead")
        ->type_name("KEY")
        ->excludes(file);
}

// A file of a folder as the user named the folder.
std::string Within(const std::string& folder, const std::u16string& name) {
    return folder + (folder.ends_with('/') ? "" : "/") + EncodeUtf8(name);
}

struct ConsoleKey {
    int exitCode = kExitOk;
    std::optional<DiaryKey> key;
};

// The diary key, from the recovery key, the password file or the terminal; the exit code
// and a message when there is none.
ConsoleKey OpenKey(const fs::path& data, const std::string& shownData, const PasswordOptions& options,
                   const fs::path& passwordFile, const ErrorLine& error) {
    const fs::path keyPath = KeyFilePath(data.u16string());
    std::error_code ignored;
    if (!fs::exists(keyPath, ignored)) {
        error(shownData + ": the diary is not locked");
        return {kExitNothingFound, {}};
    }
    OpenedDiaryKey opened;
    if (!options.recoveryKey.empty()) {
        opened = OpenDiaryKeyWithRecoveryKey(data, options.recoveryKey);
    } else {
        const TypedPassword typed = options.passwordFile.empty()
                                        ? AskPasswordOnTerminal("Password of the diary in " + shownData + ": ")
                                        : ReadPasswordFile(passwordFile);
        switch (typed.status) {
        case TypedPasswordStatus::Ok: break;
        case TypedPasswordStatus::CannotRead:
            error(options.passwordFile + ": the password file could not be read");
            return {kExitFileFailed, {}};
        case TypedPasswordStatus::Empty: error("the password is empty"); return {kExitUsage, {}};
        case TypedPasswordStatus::NoTerminal:
            error(shownData + ": the diary is locked; give --password-file FILE or --recovery-key KEY");
            return {kExitUsage, {}};
        }
        opened = OpenDiaryKey(data, typed.text);
    }
    const std::string keyFile = Within(shownData, keyPath.lexically_relative(data).u16string());
    switch (opened.status) {
    case ConversionStatus::Ok: return {kExitOk, opened.key};
    case ConversionStatus::WrongPassword:
        error(options.recoveryKey.empty() ? "the password does not open the diary"
                                          : "that is not the diary's recovery key");
        return {kExitWrongPassword, {}};
    case ConversionStatus::UnknownVersion:
        error(keyFile + ": written by a later version of the program");
        return {kExitFileFailed, {}};
    case ConversionStatus::CryptoUnavailable: error("the cryptographic library could not run"); break;
    case ConversionStatus::CannotRead: error(keyFile + ": the key file could not be read"); break;
    default: error(keyFile + ": the key file is damaged; restore it from a backup"); break;
    }
    return {kExitFileFailed, {}};
}

// What a run that did not go through says, and its exit code.
int EndOfRun(const ConversionResult& result, const std::string& folder, const ErrorLine& error) {
    const std::string file = Within(folder, result.file);
    switch (result.status) {
    case ConversionStatus::Ok: return kExitOk;
    case ConversionStatus::FilesLeft:
        for (const std::u16string& name : result.damaged)
            error(Within(folder, name) + ": damaged, does not open; left as it is");
        for (const std::u16string& name : result.differing)
            error(Within(folder, name) + ": its plain and locked files hold different pages; both kept");
        return kExitIncomplete;
    case ConversionStatus::CannotRead:
        error(file + ": " + EncodeUtf8(ProgramText(ReasonTextId(result.readStatus))));
        return kExitFileFailed;
    case ConversionStatus::CannotWrite:
        error(file + ": " + EncodeUtf8(ProgramText(ReasonTextId(result.writeFault))));
        return kExitFileFailed;
    case ConversionStatus::CannotRemove: error(file + ": converted, but could not be removed"); return kExitFileFailed;
    case ConversionStatus::ReadBackDiffers: error(file + ": did not read back as written"); return kExitFileFailed;
    case ConversionStatus::CannotList: error(folder + ": the folder could not be read"); return kExitFileFailed;
    case ConversionStatus::SameFolder:
        error(folder + ": the plain copy must go into another folder");
        return kExitUsage;
    default: error(folder + ": the diary could not be converted"); return kExitFileFailed;
    }
}

}  // namespace

CLI::App* AddUnlockCommand(CLI::App& app, UnlockOptions& options) {
    CLI::App* command =
        app.add_subcommand("unlock", "Turn a locked diary back into plain day files in its folder, day by day");
    command->add_option("--data", options.data, "The diary folder (the day files)")->required()->type_name("DIR");
    AddPasswordOptions(*command, options.password);
    command->footer(kExitCodes);
    return command;
}

CLI::App* AddDecryptCommand(CLI::App& app, DecryptOptions& options) {
    CLI::App* command = app.add_subcommand(
        "decrypt", "Write a plain copy of a locked diary's day files into another folder; the diary stays locked");
    command->add_option("--data", options.data, "The diary folder (the day files)")->required()->type_name("DIR");
    command->add_option("--to", options.to, "The folder the plain copy goes into")->required()->type_name("DIR");
    AddPasswordOptions(*command, options.password);
    command->footer(kExitCodes);
    return command;
}

int RunUnlock(const UnlockOptions& options, const fs::path& data, const fs::path& passwordFile,
              const ErrorLine& error) {
    const ConsoleKey opened = OpenKey(data, options.data, options.password, passwordFile, error);
    if (!opened.key) return opened.exitCode;
    const ConversionResult result = UnlockDiary(data, *opened.key);
    const int code = EndOfRun(result, options.data, error);
    if (code == kExitOk) PrintOut(std::to_string(result.converted) + " day files unlocked\n");
    return code;
}

int RunDecrypt(const DecryptOptions& options, const fs::path& data, const fs::path& to, const fs::path& passwordFile,
               const ErrorLine& error) {
    const ConsoleKey opened = OpenKey(data, options.data, options.password, passwordFile, error);
    if (!opened.key) return opened.exitCode;
    const ConversionResult result = DecryptDiaryTo(data, *opened.key, to);
    // A copy that could not be written names the file in the copy's folder.
    const bool inCopy =
        result.status == ConversionStatus::CannotWrite || result.status == ConversionStatus::ReadBackDiffers;
    const int code = EndOfRun(result, inCopy ? options.to : options.data, error);
    if (code == kExitOk) PrintOut(std::to_string(result.converted) + " day files written into " + options.to + "\n");
    return code;
}
