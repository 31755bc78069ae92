#include "lock/win32/password_dialog.h"

#include <string>

#include "lock/diary_key.h"
#include "lock/win32/secret_field.h"
#include "platform/wide_text.h"
#include "platform/win32/dialog_placement.h"
#include "platform/win32/dialog_template.h"
#include "platform/win32/loaded_text.h"
#include "resources/resource.h"

namespace {

struct PasswordDialog {
    HINSTANCE instance;
    const std::filesystem::path& diary;
    const std::filesystem::path& keyFile;
    const PasswordTries& tries;
    bool recovering = false;  // the recovery key is asked for, not the password
    WPARAM hiding = 0;        // the character the field shows for each one of a password
    PasswordAnswer answer;
};

void SetText(HWND dialog, int control, HINSTANCE instance, UINT id) {
    SetDlgItemTextW(dialog, control, WidePointer(LoadText(instance, id)));
}

// Shows the password's or the recovery key's words; the recovery key is shown as it is
// typed, since it is copied from paper, the password never.
void ShowAsked(HWND dialog, const PasswordDialog& state) {
    const HINSTANCE instance = state.instance;
    const UINT about = state.recovering ? IDS_RECOVERY_KEY_ABOUT : IDS_PASSWORD_ABOUT;
    SetDlgItemTextW(dialog, IDC_PASSWORD_ABOUT, WidePointer(LoadText(instance, about, {state.diary.u16string()})));
    SetText(dialog, IDC_PASSWORD_LABEL, instance, state.recovering ? IDS_RECOVERY_KEY_LABEL : IDS_PASSWORD_LABEL);
    SetText(dialog, IDC_PASSWORD_FORGOTTEN, instance,
            state.recovering ? IDS_PASSWORD_REMEMBERED : IDS_PASSWORD_FORGOTTEN);
    HWND field = GetDlgItem(dialog, IDC_PASSWORD_TEXT);
    SendMessageW(field, EM_SETPASSWORDCHAR, state.recovering ? 0 : state.hiding, 0);
    SetWindowTextW(field, L"");
    InvalidateRect(field, nullptr, TRUE);
    SetDlgItemTextW(dialog, IDC_PASSWORD_TOLD, L"");
    SetFocus(field);
}

// Tries what was typed. A wrong word is said in the dialog, which stays; a key file that
// cannot be used is said in a box, and the dialog closes, as no typing can help.
void TryTyped(HWND dialog, PasswordDialog& state) {
    HWND field = GetDlgItem(dialog, IDC_PASSWORD_TEXT);
    std::string typed = SecretFieldText(field);
    KeyFileStatus status = KeyFileStatus::EmptyPassword;
    if (!typed.empty()) {
        // Deriving the key takes about half a second.
        const HCURSOR was = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        status = state.recovering ? state.tries.recoveryKey(typed) : state.tries.password(typed);
        SetCursor(was);
    }
    WipeSecret({reinterpret_cast<std::uint8_t*>(typed.data()), typed.size()});
    const HINSTANCE instance = state.instance;
    UINT told = 0;
    switch (status) {
    case KeyFileStatus::Ok:
        state.answer.outcome = state.recovering ? PasswordOutcome::OpenedByRecoveryKey : PasswordOutcome::Opened;
        state.answer.remember = IsDlgButtonChecked(dialog, IDC_PASSWORD_REMEMBER) == BST_CHECKED;
        EndDialog(dialog, IDOK);
        return;
    case KeyFileStatus::WrongPassword:
    case KeyFileStatus::NoSuchSlot: told = state.recovering ? IDS_RECOVERY_KEY_WRONG : IDS_PASSWORD_WRONG; break;
    case KeyFileStatus::WrongRecoveryKey: told = IDS_RECOVERY_KEY_WRONG; break;
    case KeyFileStatus::EmptyPassword: told = IDS_PASSWORD_EMPTY; break;
    case KeyFileStatus::UnknownVersion:
        ShowMessageBox(dialog, instance, LoadText(instance, IDS_KEY_FILE_TOO_NEW, {state.keyFile.u16string()}),
                       IDS_CAPTION_ERR, MB_OK | MB_ICONEXCLAMATION);
        EndDialog(dialog, IDCANCEL);
        return;
    case KeyFileStatus::CryptoUnavailable:
        ShowMessageBox(dialog, instance, IDS_LOCK_UNAVAILABLE, IDS_CAPTION_ERR, MB_OK | MB_ICONEXCLAMATION);
        EndDialog(dialog, IDCANCEL);
        return;
    case KeyFileStatus::Damaged:
    case KeyFileStatus::KeyMismatch:
        ShowMessageBox(dialog, instance, LoadText(instance, IDS_KEY_FILE_DAMAGED, {state.keyFile.u16string()}),
                       IDS_CAPTION_ERR, MB_OK | MB_ICONEXCLAMATION);
        EndDialog(dialog, IDCANCEL);
        return;
    }
    SetWindowTextW(field, L"");
    SetText(dialog, IDC_PASSWORD_TOLD, instance, told);
    SetFocus(field);
}

INT_PTR CALLBACK PasswordDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<PasswordDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        state = reinterpret_cast<PasswordDialog*>(lParam);
        state->hiding = SendDlgItemMessageW(dialog, IDC_PASSWORD_TEXT, EM_GETPASSWORDCHAR, 0, 0);
        PlaceDialog(dialog);
        ShowAsked(dialog, *state);
        return FALSE;  // the focus is in the field already
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_PASSWORD_FORGOTTEN:
            state->recovering = !state->recovering;
            ShowAsked(dialog, *state);
            return TRUE;
        case IDOK: TryTyped(dialog, *state); return TRUE;
        case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
        default: return FALSE;
        }
    default: return FALSE;
    }
}

}  // namespace

PasswordAnswer AskDiaryPassword(HWND owner, HINSTANCE instance, const std::filesystem::path& diary,
                                const std::filesystem::path& keyFile, const PasswordTries& tries) {
    const DLGTEMPLATE* dialogTemplate = FindDialogTemplate(instance, IDD_DIARY_PASSWORD);
    if (!dialogTemplate) return {};
    PasswordDialog state{instance, diary, keyFile, tries, false, 0, {}};
    DialogBoxIndirectParamW(instance, dialogTemplate, owner, PasswordDialogProc, reinterpret_cast<LPARAM>(&state));
    return state.answer;
}
