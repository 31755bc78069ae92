#include "lock/win32/new_password_dialog.h"

#include "lock/diary_key.h"
#include "lock/win32/secret_field.h"
#include "platform/wide_text.h"
#include "platform/win32/dialog_placement.h"
#include "platform/win32/dialog_template.h"
#include "platform/win32/loaded_text.h"
#include "resources/resource.h"

namespace {

struct NewPasswordDialog {
    HINSTANCE instance;
    const std::filesystem::path& diary;
    NewPasswordReason reason;
    std::optional<std::string> password;
};

constexpr UINT kAbout[] = {IDS_NEW_PASSWORD_TO_LOCK, IDS_NEW_PASSWORD_TO_CHANGE, IDS_NEW_PASSWORD_RECOVERED};

void Wipe(std::string& secret) { WipeSecret({reinterpret_cast<std::uint8_t*>(secret.data()), secret.size()}); }

// Takes the password when both fields hold the same one; otherwise says why in the
// dialog and empties the fields.
void TakeTyped(HWND dialog, NewPasswordDialog& state) {
    std::string typed = SecretFieldText(GetDlgItem(dialog, IDC_NEW_PASSWORD_TEXT));
    std::string again = SecretFieldText(GetDlgItem(dialog, IDC_NEW_PASSWORD_AGAIN));
    const UINT told = typed.empty() ? IDS_PASSWORD_EMPTY : typed != again ? IDS_NEW_PASSWORDS_DIFFER : 0;
    Wipe(again);
    if (told == 0) {
        state.password = std::move(typed);
        EndDialog(dialog, IDOK);
        return;
    }
    Wipe(typed);
    SetDlgItemTextW(dialog, IDC_NEW_PASSWORD_TEXT, L"");
    SetDlgItemTextW(dialog, IDC_NEW_PASSWORD_AGAIN, L"");
    SetDlgItemTextW(dialog, IDC_NEW_PASSWORD_TOLD, WidePointer(LoadText(state.instance, told)));
    SetFocus(GetDlgItem(dialog, IDC_NEW_PASSWORD_TEXT));
}

INT_PTR CALLBACK NewPasswordDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<NewPasswordDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        state = reinterpret_cast<NewPasswordDialog*>(lParam);
        PlaceDialog(dialog);
        SetDlgItemTextW(dialog, IDC_NEW_PASSWORD_ABOUT,
                        WidePointer(LoadText(state->instance, kAbout[static_cast<int>(state->reason)],
                                             {state->diary.u16string()})));
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: TakeTyped(dialog, *state); return TRUE;
        case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
        default: return FALSE;
        }
    default: return FALSE;
    }
}

}  // namespace

std::optional<std::string> AskNewPassword(HWND owner, HINSTANCE instance, const std::filesystem::path& diary,
                                          NewPasswordReason reason) {
    const DLGTEMPLATE* dialogTemplate = FindDialogTemplate(instance, IDD_NEW_PASSWORD);
    if (!dialogTemplate) return std::nullopt;
    NewPasswordDialog state{instance, diary, reason, std::nullopt};
    DialogBoxIndirectParamW(instance, dialogTemplate, owner, NewPasswordDialogProc, reinterpret_cast<LPARAM>(&state));
    return std::move(state.password);
}
