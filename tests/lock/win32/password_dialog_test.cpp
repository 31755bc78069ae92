// The locked diary's password dialog on a real key file: a wrong password is said and
// asked again, "Forgotten?" takes the recovery key as it is typed from paper, and a
// damaged key file is told as damage, never as a wrong password. A new password is taken
// only when it was typed the same twice.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "lock/win32/new_password_dialog.h"
#include "lock/win32/password_dialog.h"
#include "platform/win32/shown_language.h"
#include "tests/app/win32/program_harness.h"
#include "resources/resource.h"

namespace {

constexpr Argon2Cost kQuick = {64, 1, 1};

struct Asked {
    std::vector<std::uint8_t> keyFile;
    PasswordTries tries;
    explicit Asked(std::vector<std::uint8_t> bytes) : keyFile(std::move(bytes)) {
        tries.password = [this](std::string_view typed) { return UnlockWithPassword(keyFile, typed).status; };
        tries.recoveryKey = [this](std::string_view typed) { return UnlockWithRecoveryKey(keyFile, typed).status; };
    }
    PasswordAnswer Ask() const {
        return AskDiaryPassword(nullptr, GetModuleHandleW(nullptr), L"C:\\diary",
                                L"C:\\diary\\.doodlebinder\\diary.key", tries);
    }
};

void Type(HWND dialog, const std::string& text) {
    SetDlgItemTextW(dialog, IDC_PASSWORD_TEXT, std::wstring(text.begin(), text.end()).c_str());
    PressDialogButton(dialog, IDOK);
}

// The line under the field once the dialog has said something there.
std::wstring ToldLine(HWND dialog) {
    std::wstring told;
    for (int tries = 0; tries < 200 && told.empty(); ++tries) {
        Sleep(25);
        told = WindowText(GetDlgItem(dialog, IDC_PASSWORD_TOLD));
    }
    return told;
}

class PasswordDialog : public ::testing::Test {
protected:
    void SetUp() override {
        ShowLanguage(ProgramLanguage::English);
        made_ = CreateKeyFile("correct horse", kQuick, kQuick);
        ASSERT_EQ(made_.status, KeyFileStatus::Ok);
    }
    NewKeyFile made_;
};

TEST_F(PasswordDialog, AWrongPasswordIsSaidAndTheRecoveryKeyOpensWhenItIsForgotten) {
    Asked asked(made_.bytes);
    std::wstring caption, told, recoveryLabel;
    LRESULT hidden = 0, shown = 1;
    PasswordAnswer answer;
    WorkDialogs([&] { answer = asked.Ask(); },
                [&](HWND dialog) {
                    caption = WindowText(dialog);
                    hidden = SendDlgItemMessageW(dialog, IDC_PASSWORD_TEXT, EM_GETPASSWORDCHAR, 0, 0);
                    Type(dialog, "correct horse?");
                    told = ToldLine(dialog);
                    PressDialogButton(dialog, IDC_PASSWORD_FORGOTTEN);
                    Sleep(200);
                    recoveryLabel = WindowText(GetDlgItem(dialog, IDC_PASSWORD_LABEL));
                    shown = SendDlgItemMessageW(dialog, IDC_PASSWORD_TEXT, EM_GETPASSWORDCHAR, 0, 0);
                    Type(dialog, made_.recoveryText);
                    return false;
                });
    EXPECT_EQ(caption, L"Locked Diary");
    EXPECT_NE(hidden, 0) << "the password shows as it is typed";
    EXPECT_EQ(told, L"That password does not open this diary.");
    EXPECT_EQ(recoveryLabel, L"Recovery &key:");
    EXPECT_EQ(shown, 0) << "the recovery key is hidden while it is copied from paper";
    EXPECT_EQ(answer.outcome, PasswordOutcome::OpenedByRecoveryKey);
    EXPECT_FALSE(answer.remember);

    WorkDialogs([&] { answer = asked.Ask(); },
                [&](HWND dialog) {
                    CheckDlgButton(dialog, IDC_PASSWORD_REMEMBER, BST_CHECKED);
                    Type(dialog, "correct horse");
                    return false;
                });
    EXPECT_EQ(answer.outcome, PasswordOutcome::Opened);
    EXPECT_TRUE(answer.remember);
}

TEST_F(PasswordDialog, ADamagedKeyFileIsToldAsDamageNotAsAWrongPassword) {
    std::vector<std::uint8_t> damaged = made_.bytes;
    damaged[damaged.size() / 2] ^= 0x01;
    Asked asked(damaged);
    std::wstring told;
    PasswordAnswer answer{PasswordOutcome::Opened};
    WorkDialogs([&] { answer = asked.Ask(); },
                [&](HWND dialog) {
                    if (WindowText(dialog) == L"Locked Diary") {
                        Type(dialog, "correct horse");
                        return true;
                    }
                    told = WindowText(GetDlgItem(dialog, 0xFFFF));
                    PressDialogButton(dialog, IDOK);
                    return false;
                });
    EXPECT_NE(told.find(L"C:\\diary\\.doodlebinder\\diary.key is damaged"), std::wstring::npos) << told;
    EXPECT_EQ(answer.outcome, PasswordOutcome::Cancelled);
}

TEST(NewPassword, TakenOnlyWhenTypedTheSameTwice) {
    ShowLanguage(ProgramLanguage::English);
    std::optional<std::string> taken;
    std::wstring told, emptied;
    const auto ask = [&] {
        taken = AskNewPassword(nullptr, GetModuleHandleW(nullptr), L"C:\\diary", NewPasswordReason::Lock);
    };
    WorkDialogs(ask, [&](HWND dialog) {
        SetDlgItemTextW(dialog, IDC_NEW_PASSWORD_TEXT, L"日記 one");
        SetDlgItemTextW(dialog, IDC_NEW_PASSWORD_AGAIN, L"日記 on");
        PressDialogButton(dialog, IDOK);
        for (int tries = 0; tries < 200 && told.empty(); ++tries, Sleep(25))
            told = WindowText(GetDlgItem(dialog, IDC_NEW_PASSWORD_TOLD));
        emptied = WindowText(GetDlgItem(dialog, IDC_NEW_PASSWORD_TEXT)) +
                  WindowText(GetDlgItem(dialog, IDC_NEW_PASSWORD_AGAIN));
        SetDlgItemTextW(dialog, IDC_NEW_PASSWORD_TEXT, L"日記 one");
        SetDlgItemTextW(dialog, IDC_NEW_PASSWORD_AGAIN, L"日記 one");
        PressDialogButton(dialog, IDOK);
        return false;
    });
    EXPECT_EQ(told, L"The two passwords differ.");
    EXPECT_EQ(emptied, L"");
    EXPECT_EQ(taken, std::optional<std::string>("\xE6\x97\xA5\xE8\xA8\x98 one")) << "UTF-8, as the key file takes it";

    WorkDialogs(ask, [&](HWND dialog) {
        PressDialogButton(dialog, IDCANCEL);
        return false;
    });
    EXPECT_FALSE(taken);
}

}  // namespace
