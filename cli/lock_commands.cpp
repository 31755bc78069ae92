#include "cli/lock_commands.h"

#include <CLI/CLI.hpp>

#include "cli/console_out.h"
#include "cli/console_text.h"
#include "cli/diary_password.h"
#include "cli/typed_password.h"
#include "lock/diary_conversion.h"
#include "platform/program_texts.h"
#include "platform/utf8.h"
#include "platform/write_fault.h"
#include "resources/resource.h"

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

// What a run that did not go through says, and its exit code.
int EndOfRun(const ConversionResult& result, const std::string& folder, const ErrorLine& error) {
    const std::string file = FileWithin(folder, result.file);
    switch (result.status) {
    case ConversionStatus::Ok: return kExitOk;
    case ConversionStatus::FilesLeft:
        for (const std::u16string& name : result.damaged)
            error(FileWithin(folder, name) + ": damaged, does not open; left as it is");
        for (const std::u16string& name : result.differing)
            error(FileWithin(folder, name) + ": its plain and locked files hold different pages; both kept");
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

// The password that locks the diary: the password file's first line or, on the terminal,
// a new password typed twice, or the password of a key file already there typed once.
int TakeLockPassword(const LockOptions& options, const fs::path& passwordFile, bool newKey, TypedPassword& typed,
                     const ErrorLine& error) {
    const std::string noTerminal = options.data + ": no terminal to ask the password on; give --password-file FILE";
    if (!options.passwordFile.empty()) {
        typed = ReadPasswordFile(passwordFile);
        return TypedPasswordExitCode(typed, options.passwordFile, noTerminal, error);
    }
    typed = AskPasswordOnTerminal((newKey ? "New password for the diary in " : "Password of the diary in ") +
                                  options.data + ": ");
    if (const int code = TypedPasswordExitCode(typed, options.passwordFile, noTerminal, error); code != kExitOk)
        return code;
    if (!newKey) return kExitOk;
    const TypedPassword again = AskPasswordOnTerminal("The same password again: ");
    if (again.status == TypedPasswordStatus::Ok && again.text != typed.text) {
        error(EncodeUtf8(ProgramText(IDS_NEW_PASSWORDS_DIFFER)));
        return kExitUsage;
    }
    return TypedPasswordExitCode(again, options.passwordFile, noTerminal, error);
}

}  // namespace

CLI::App* AddLockCommand(CLI::App& app, LockOptions& options) {
    CLI::App* command = app.add_subcommand(
        "lock", "Lock the diary with a password, day file by day file; a new key's recovery key is shown once");
    command->add_option("--data", options.data, "The diary folder (the day files)")->required()->type_name("DIR");
    command
        ->add_option("--password-file", options.passwordFile,
                     "Take the password from the first line of FILE (without it, it is asked on the terminal: "
                     "twice for a diary not yet locked)")
        ->type_name("FILE");
    command->footer(
        "Exit codes:\n"
        "  0   done: every day file is locked\n"
        "  3   a file could not be read, written or removed, or the key file is damaged, or missing while\n"
        "      locked day files are there\n"
        "  4   done, but some day files are left as they are\n"
        "  64  bad usage, the two passwords typed differ or are empty, or no password given where none can be\n"
        "      asked for\n"
        "  77  the diary has a key file already, and the password does not open it: nothing was changed");
    return command;
}

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

int RunLock(const LockOptions& options, const fs::path& data, const fs::path& passwordFile, const ErrorLine& error) {
    std::error_code failed;
    if (!fs::is_directory(data, failed)) {
        error(options.data + ": cannot read the data folder");
        return kExitFileFailed;
    }
    const bool newKey = !HasKeyFile(data);
    TypedPassword typed;
    if (const int code = TakeLockPassword(options, passwordFile, newKey, typed, error); code != kExitOk) return code;
    const ConversionResult result = LockDiary(data, typed.text);
    // The only time the recovery key is there to show: the key file keeps none of it.
    if (!result.recoveryText.empty()) PrintOut(RecoveryKeyLines(result.recoveryText));
    const std::string keyFile = ShownKeyFile(options.data);
    switch (result.status) {
    case ConversionStatus::WrongPassword:
    case ConversionStatus::Damaged:
    case ConversionStatus::UnknownVersion:
    case ConversionStatus::CryptoUnavailable: return KeyFileExitCode(result.status, keyFile, false, error);
    case ConversionStatus::EmptyPassword: error("the password is empty"); return kExitUsage;
    case ConversionStatus::NoKeyFile:
        error(options.data + ": holds locked day files but no key file, and a new key would not open them; restore " +
              keyFile + " from a backup");
        return kExitFileFailed;
    default: break;
    }
    const int code = EndOfRun(result, options.data, error);
    if (code == kExitOk) PrintOut(std::to_string(result.converted) + " day files locked\n");
    return code;
}

int RunUnlock(const UnlockOptions& options, const fs::path& data, const fs::path& passwordFile,
              const ErrorLine& error) {
    const ConsoleKey opened = OpenLockedDiary(data, options.data, options.password, passwordFile, error);
    if (!opened.key) return opened.exitCode;
    const ConversionResult result = UnlockDiary(data, *opened.key);
    const int code = EndOfRun(result, options.data, error);
    if (code == kExitOk) PrintOut(std::to_string(result.converted) + " day files unlocked\n");
    return code;
}

int RunDecrypt(const DecryptOptions& options, const fs::path& data, const fs::path& to, const fs::path& passwordFile,
               const ErrorLine& error) {
    const ConsoleKey opened = OpenLockedDiary(data, options.data, options.password, passwordFile, error);
    if (!opened.key) return opened.exitCode;
    const ConversionResult result = DecryptDiaryTo(data, *opened.key, to);
    // A copy that could not be written names the file in the copy's folder.
    const bool inCopy =
        result.status == ConversionStatus::CannotWrite || result.status == ConversionStatus::ReadBackDiffers;
    const int code = EndOfRun(result, inCopy ? options.to : options.data, error);
    if (code == kExitOk) PrintOut(std::to_string(result.converted) + " day files written into " + options.to + "\n");
    return code;
}
