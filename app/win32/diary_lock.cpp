#include "diary_lock.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "diary_window.h"
#include "diarycore/day_file_seal.h"
#include "diarycore/recovery_files.h"
#include "lock/diary_conversion.h"
#include "lock/diary_seal.h"
#include "lock/key_file.h"
#include "lock/locked_names.h"
#include "lock/win32/new_password_dialog.h"
#include "lock/win32/password_dialog.h"
#include "lock/win32/recovery_key_dialog.h"
#include "lock/win32/remembered_key.h"
#include "page/win32/current_page.h"
#include "page/win32/page_files.h"
#include "platform/file_read.h"
#include "platform/file_write.h"
#include "platform/win32/loaded_text.h"
#include "resources/resource.h"
#include "shell_state.h"

namespace fs = std::filesystem;

namespace {

constexpr int kRepaintsPerFile = 64;  // enough for every window the program has

std::u16string CountText(std::size_t value) {
    const std::string text = std::to_string(value);
    return std::u16string(text.begin(), text.end());
}

void Wipe(std::string& secret) { WipeSecret({reinterpret_cast<std::uint8_t*>(secret.data()), secret.size()}); }

// The page on show goes to the disk first, so that the run finds the day as it is shown.
// A save that failed has told the user why, and nothing is done.
bool SavePageOnShow(HWND mainWindow) {
    DiaryWindow& diary = DiaryOf(mainWindow);
    return !PlanCurrentSave(diary.page, diary.view).WritesAnything() || SaveDay(diary.page, diary.view);
}

// A run over every day file takes a while: the wait cursor shows, and after each file only
// pending paints are taken, so the windows stay drawn while no input or timer reaches the
// page in the middle of the run.
ConversionOptions WaitingOptions() {
    ConversionOptions options;
    options.progress = [](std::size_t, std::size_t) {
        MSG message;
        for (int i = 0; i < kRepaintsPerFile && PeekMessageW(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++i)
            DispatchMessageW(&message);
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return true;
    };
    return options;
}

class WaitCursor {
public:
    WaitCursor() : was_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(was_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR was_;
};

// What stopped a run, as one sentence naming the file and why.
std::u16string WhatWentWrong(HINSTANCE instance, const fs::path& diary, const ConversionResult& result) {
    const std::u16string file = (diary / result.file).u16string();
    const std::u16string keyFile = KeyFilePath(diary.u16string()).u16string();
    const auto writeReason = [&] {
        return LoadText(instance,
                        ReasonTextId(result.writeFault == WriteFault::None ? WriteFault::Other : result.writeFault));
    };
    switch (result.status) {
    case ConversionStatus::CannotList: return LoadText(instance, IDS_CONVERSION_CANNOT_LIST);
    case ConversionStatus::CannotRead:
        return LoadText(instance, IDS_CONVERSION_CANNOT_READ,
                        {file, LoadText(instance, ReasonTextId(result.readStatus))});
    case ConversionStatus::CannotWrite: return LoadText(instance, IDS_CONVERSION_CANNOT_WRITE, {file, writeReason()});
    case ConversionStatus::CannotRemove: return LoadText(instance, IDS_CONVERSION_CANNOT_REMOVE, {file, writeReason()});
    case ConversionStatus::ReadBackDiffers: return LoadText(instance, IDS_CONVERSION_READ_BACK, {file});
    case ConversionStatus::FilesLeft: {
        std::u16string lines;
        for (const auto* names : {&result.damaged, &result.differing})
            for (const std::u16string& name : *names) lines += u"\n" + (diary / name).u16string();
        return LoadText(instance, IDS_CONVERSION_FILES_LEFT, {lines.empty() ? lines : lines.substr(1)});
    }
    case ConversionStatus::WrongPassword: return LoadText(instance, IDS_PASSWORD_WRONG);
    case ConversionStatus::Damaged: return LoadText(instance, IDS_KEY_FILE_DAMAGED, {keyFile});
    case ConversionStatus::UnknownVersion: return LoadText(instance, IDS_KEY_FILE_TOO_NEW, {keyFile});
    case ConversionStatus::NoKeyFile: return LoadText(instance, IDS_CONVERSION_NO_KEY_FILE, {keyFile});
    case ConversionStatus::EmptyPassword: return LoadText(instance, IDS_PASSWORD_EMPTY);
    case ConversionStatus::CryptoUnavailable: return LoadText(instance, IDS_LOCK_UNAVAILABLE);
    case ConversionStatus::Ok:
    case ConversionStatus::Stopped:
    case ConversionStatus::SameFolder: break;
    }
    return LoadText(instance, ReasonTextId(WriteFault::Other));
}

// The diary key of the locked diary, asked for by its password or, when that is
// forgotten, by the recovery key; nothing when the user cancelled or the key file cannot
// be used (the dialog or a message said so).
struct AskedKey {
    DiaryKey key;
    bool byRecoveryKey = false;
    bool remember = false;              // the user ticked "Remember on this computer"
    std::vector<std::uint8_t> keyFile;  // as it was read to check what was typed
};

std::optional<AskedKey> AskDiaryKey(HWND mainWindow, const fs::path& diary) {
    const HINSTANCE instance = g_shell.instance;
    const fs::path keyFilePath = KeyFilePath(diary.u16string());
    AskedKey asked;
    const ReadStatus read = ReadFileBytes(keyFilePath, asked.keyFile);
    if (read != ReadStatus::Ok) {
        ShowMessageBox(mainWindow, instance,
                       LoadText(instance, IDS_KEY_FILE_UNREADABLE,
                                {keyFilePath.u16string(), LoadText(instance, ReasonTextId(read))}),
                       IDS_CAPTION_ERR, MB_OK | MB_ICONEXCLAMATION);
        return std::nullopt;
    }
    const auto keep = [&asked](const UnlockedKey& unlocked) {
        if (unlocked.status == KeyFileStatus::Ok) asked.key = unlocked.key;
        return unlocked.status;
    };
    PasswordTries tries;
    tries.password = [&](std::string_view typed) { return keep(UnlockWithPassword(asked.keyFile, typed)); };
    tries.recoveryKey = [&](std::string_view typed) { return keep(UnlockWithRecoveryKey(asked.keyFile, typed)); };
    const PasswordAnswer answer = AskDiaryPassword(mainWindow, instance, diary, keyFilePath, tries);
    if (answer.outcome == PasswordOutcome::Cancelled) return std::nullopt;
    asked.byRecoveryKey = answer.outcome == PasswordOutcome::OpenedByRecoveryKey;
    asked.remember = answer.remember;
    return asked;
}

}  // namespace

bool DiaryIsLocked(std::u16string_view diary) {
    std::error_code error;
    return fs::exists(KeyFilePath(diary), error);
}

void LockDiaryCommand(HWND mainWindow) {
    if (!SavePageOnShow(mainWindow)) return;
    const HINSTANCE instance = g_shell.instance;
    const fs::path diary(DiaryOf(mainWindow).page.Folder());
    std::optional<std::string> password = AskNewPassword(mainWindow, instance, diary, NewPasswordReason::Lock);
    if (!password) return;
    ConversionResult result;
    {
        WaitCursor wait;
        result = LockDiary(diary, *password, WaitingOptions());
    }
    // Once the key file is there, some days may be locked: the page reads and writes the
    // diary's files sealed from now on, or it could not open the days locked so far.
    OpenedDiaryKey opened;
    if (DiaryIsLocked(diary.u16string())) {
        WaitCursor wait;
        opened = OpenDiaryKey(diary, *password);
        if (opened.status == ConversionStatus::Ok) UseDayFileSeal(diary, MakeDiarySeal(opened.key));
    }
    Wipe(*password);
    // The only time the recovery key is ever shown, whatever became of the run.
    if (!result.recoveryText.empty()) {
        ShowRecoveryKey(mainWindow, instance, result.recoveryText);
        Wipe(result.recoveryText);
    }
    if (result.status == ConversionStatus::Ok && opened.status != ConversionStatus::Ok) {
        result.status = opened.status;
        result.file = KeyFilePath(u"").u16string();
    }
    if (result.status == ConversionStatus::Ok) {
        ShowMessageBox(mainWindow, instance,
                       LoadText(instance, IDS_DIARY_LOCKED, {diary.u16string(), CountText(result.converted)}),
                       IDS_CAPTION_PROGRAM, MB_OK | MB_ICONINFORMATION);
        return;
    }
    ShowMessageBox(mainWindow, instance,
                   LoadText(instance, IDS_DIARY_LOCK_FAILED, {WhatWentWrong(instance, diary, result)}), IDS_CAPTION_ERR,
                   MB_OK | MB_ICONEXCLAMATION);
}

void UnlockDiaryCommand(HWND mainWindow) {
    if (!SavePageOnShow(mainWindow)) return;
    const HINSTANCE instance = g_shell.instance;
    const fs::path diary(DiaryOf(mainWindow).page.Folder());
    const std::optional<AskedKey> asked = AskDiaryKey(mainWindow, diary);
    if (!asked) return;
    ConversionResult result;
    {
        WaitCursor wait;
        result = UnlockDiary(diary, asked->key, WaitingOptions());
    }
    // The key file goes last, once every day is plain: until then the seal is in use, so
    // the days still locked open and the page keeps saving locked.
    if (DiaryIsLocked(diary.u16string())) {
        UseDayFileSeal(diary, MakeDiarySeal(asked->key));
    } else {
        DropDayFileSeal(diary);
        ForgetDiaryKey(RememberedKeyPath(ComputerFolder(diary.u16string())));
    }
    if (result.status == ConversionStatus::Ok) {
        ShowMessageBox(mainWindow, instance,
                       LoadText(instance, IDS_DIARY_UNLOCKED, {diary.u16string(), CountText(result.converted)}),
                       IDS_CAPTION_PROGRAM, MB_OK | MB_ICONINFORMATION);
        return;
    }
    ShowMessageBox(mainWindow, instance,
                   LoadText(instance, IDS_DIARY_UNLOCK_FAILED, {WhatWentWrong(instance, diary, result)}),
                   IDS_CAPTION_ERR, MB_OK | MB_ICONEXCLAMATION);
}

void ChangeDiaryPassword(HWND mainWindow) {
    const HINSTANCE instance = g_shell.instance;
    const fs::path diary(DiaryOf(mainWindow).page.Folder());
    const std::optional<AskedKey> asked = AskDiaryKey(mainWindow, diary);
    if (!asked) return;
    std::optional<std::string> password = AskNewPassword(
        mainWindow, instance, diary, asked->byRecoveryKey ? NewPasswordReason::Recovered : NewPasswordReason::Change);
    if (!password) return;
    RewrittenKeyFile rewritten;
    {
        WaitCursor wait;
        rewritten = ChangePassword(asked->keyFile, asked->key, *password);
    }
    Wipe(*password);
    const fs::path keyFilePath = KeyFilePath(diary.u16string());
    if (rewritten.status != KeyFileStatus::Ok) {
        const bool unavailable = rewritten.status == KeyFileStatus::CryptoUnavailable;
        ShowMessageBox(mainWindow, instance,
                       unavailable ? LoadText(instance, IDS_LOCK_UNAVAILABLE)
                                   : LoadText(instance, IDS_KEY_FILE_DAMAGED, {keyFilePath.u16string()}),
                       IDS_CAPTION_ERR, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    // Only the key file changes: the diary key, and so every day file, stays as it is.
    WriteFault why = WriteFault::None;
    if (WriteFileSafely(keyFilePath, rewritten.bytes, Durability::Durable, &why) != WriteStatus::Ok) {
        const int reason = ReasonTextId(why == WriteFault::None ? WriteFault::Other : why);
        ShowMessageBox(mainWindow, instance,
                       LoadText(instance, IDS_PASSWORD_NOT_CHANGED,
                                {keyFilePath.u16string(), LoadText(instance, static_cast<UINT>(reason))}),
                       IDS_CAPTION_ERR, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    // The diary key stays the same, and with it a key remembered earlier; one the user asked
    // for now is kept as the password dialog at start keeps it.
    if (asked->remember) RememberDiaryKey(RememberedKeyPath(ComputerFolder(diary.u16string())), asked->key);
    ShowMessageBox(mainWindow, instance, LoadText(instance, IDS_PASSWORD_CHANGED, {diary.u16string()}),
                   IDS_CAPTION_PROGRAM, MB_OK | MB_ICONINFORMATION);
}
