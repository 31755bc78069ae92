#include "diary_unlocking.h"

#include <optional>
#include <string>
#include <vector>

#include "diarycore/recovery_files.h"
#include "lock/diary_seal.h"
#include "lock/key_file.h"
#include "lock/locked_names.h"
#include "lock/win32/new_password_dialog.h"
#include "lock/win32/password_dialog.h"
#include "lock/win32/remembered_key.h"
#include "platform/file_read.h"
#include "platform/file_write.h"
#include "platform/win32/loaded_text.h"
#include "platform/win32/window_text.h"
#include "resources/resource.h"

namespace fs = std::filesystem;

namespace {

// The recovery key opened the diary: the password nobody remembers is replaced. Should
// the user decline, or the new key file not be written, the old password stays, and the
// recovery key still opens the diary next time.
void SetNewPassword(HWND owner, HINSTANCE instance, const fs::path& diary, const std::vector<std::uint8_t>& keyFile,
                    const DiaryKey& key) {
    const std::optional<std::string> password = AskNewPassword(owner, instance, diary, NewPasswordReason::Recovered);
    if (!password) return;
    const RewrittenKeyFile rewritten = ChangePassword(keyFile, key, *password);
    WriteFault fault = rewritten.status == KeyFileStatus::Ok ? WriteFault::None : WriteFault::Other;
    if (fault == WriteFault::None && WriteFileSafely(KeyFilePath(diary.u16string()), rewritten.bytes,
                                                     Durability::Durable, &fault) == WriteStatus::Ok) {
        return;
    }
    ShowMessageBox(owner, instance,
                   LoadText(instance, IDS_NEW_PASSWORD_NOT_KEPT,
                            {KeyFilePath(diary.u16string()).u16string(), LoadText(instance, ReasonTextId(fault))}),
                   IDS_CAPTION_ERR, MB_OK | MB_ICONEXCLAMATION);
}

bool AskForDiaryKey(HWND owner, HINSTANCE instance, const fs::path& diary, bool recall) {
    const fs::path keyFilePath = KeyFilePath(diary.u16string());
    std::vector<std::uint8_t> keyFile;
    const ReadStatus read = ReadFileBytes(keyFilePath, keyFile);
    if (read == ReadStatus::Missing) return true;  // a plain diary
    if (read != ReadStatus::Ok) {
        ShowMessageBox(owner, instance,
                       LoadText(instance, IDS_KEY_FILE_UNREADABLE,
                                {keyFilePath.u16string(), LoadText(instance, ReasonTextId(read))}),
                       IDS_CAPTION_ERR, MB_OK | MB_ICONHAND);
        return false;
    }

    const fs::path remembered = RememberedKeyPath(ComputerFolder(diary.u16string()));
    if (const std::optional<DiaryKey> key = recall ? RecallDiaryKey(remembered, keyFile) : std::nullopt) {
        UseDayFileSeal(diary, MakeDiarySeal(*key));
        return true;
    }

    // The dialog tries what is typed; the key that opened is kept here.
    DiaryKey opened;
    const auto keep = [&](const UnlockedKey& unlocked) {
        if (unlocked.status == KeyFileStatus::Ok) opened = unlocked.key;
        return unlocked.status;
    };
    const PasswordTries tries{
        [&](std::string_view typed) { return keep(UnlockWithPassword(keyFile, typed)); },
        [&](std::string_view typed) { return keep(UnlockWithRecoveryKey(keyFile, typed)); },
    };
    const PasswordAnswer answer = AskDiaryPassword(owner, instance, diary, keyFilePath, tries);
    if (answer.outcome == PasswordOutcome::Cancelled) return false;
    UseDayFileSeal(diary, MakeDiarySeal(opened));
    // Not being remembered costs only the password at the next start: nothing to say.
    if (answer.remember) RememberDiaryKey(remembered, opened);
    if (answer.outcome == PasswordOutcome::OpenedByRecoveryKey) SetNewPassword(owner, instance, diary, keyFile, opened);
    return true;
}

}  // namespace

bool OpenLockedDiary(HWND owner, HINSTANCE instance, const fs::path& diary) {
    return AskForDiaryKey(owner, instance, diary, true);
}

bool OpenLockedDiaryAgain(HWND owner, HINSTANCE instance, const fs::path& diary) {
    return AskForDiaryKey(owner, instance, diary, false);
}
