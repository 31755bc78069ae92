#include "lock/win32/recovery_key_dialog.h"

#include <string>

#include "platform/wide_text.h"
#include "platform/win32/dialog_placement.h"
#include "platform/win32/dialog_template.h"
#include "platform/win32/loaded_text.h"
#include "resources/resource.h"

namespace {

struct RecoveryKeyDialog {
    HINSTANCE instance;
    std::u16string key;
};

// The words without the key, which the field below them holds.
std::u16string AboutText(HINSTANCE instance) {
    std::u16string about = LoadText(instance, IDS_RECOVERY_KEY_SHOWN, {u""});
    while (!about.empty() && (about.back() == u'\n' || about.back() == u' ')) about.pop_back();
    return about;
}

INT_PTR CALLBACK RecoveryKeyDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        const auto* state = reinterpret_cast<const RecoveryKeyDialog*>(lParam);
        PlaceDialog(dialog);
        SetDlgItemTextW(dialog, IDC_RECOVERY_KEY_ABOUT, WidePointer(AboutText(state->instance)));
        HWND field = GetDlgItem(dialog, IDC_RECOVERY_KEY_TEXT);
        SetWindowTextW(field, WidePointer(state->key));
        // Selected whole in the field that has the focus: Ctrl+C copies it.
        SetFocus(field);
        SendMessageW(field, EM_SETSEL, 0, -1);
        return FALSE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL: EndDialog(dialog, IDOK); return TRUE;
        default: return FALSE;
        }
    default: return FALSE;
    }
}

}  // namespace

void ShowRecoveryKey(HWND owner, HINSTANCE instance, std::string_view recoveryText) {
    RecoveryKeyDialog state{instance, std::u16string(recoveryText.begin(), recoveryText.end())};
    const DLGTEMPLATE* dialogTemplate = FindDialogTemplate(instance, IDD_RECOVERY_KEY);
    // Without its dialog the key still reaches the user, in a message box.
    if (!dialogTemplate) {
        ShowMessageBox(owner, instance, LoadText(instance, IDS_RECOVERY_KEY_SHOWN, {state.key}), IDS_CAPTION_PROGRAM,
                       MB_OK | MB_ICONINFORMATION);
        return;
    }
    DialogBoxIndirectParamW(instance, dialogTemplate, owner, RecoveryKeyDialogProc, reinterpret_cast<LPARAM>(&state));
}
