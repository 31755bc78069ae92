#include "backup/win32/backups_dialog.h"

#include <optional>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "backup/backup_folder.h"
#include "backup/diary_identity.h"
#include "backup/snapshot.h"
#include "backup/snapshot_names.h"
#include "diarycore/settings.h"
#include "page/win32/backups.h"
#include "page/win32/diary_settings.h"
#include "page/page.h"
#include "page/win32/page_view.h"
#include "platform/win32/dialog_placement.h"
#include "platform/win32/dialog_template.h"
#include "platform/win32/folder_browser.h"
#include "platform/win32/loaded_text.h"
#include "platform/wide_text.h"
#include "platform/write_fault.h"
#include "resources/resource.h"

namespace fs = std::filesystem;

namespace {

struct BackupsDialog {
    Page& page;
    const PageView& view;
    BackupsOfRun& backups;
};

std::u16string Number(std::uint64_t value) {
    const std::string text = std::to_string(value);
    return std::u16string(text.begin(), text.end());
}

void SetItemText(HWND dialog, int id, const std::u16string& text) { SetDlgItemTextW(dialog, id, WidePointer(text)); }

// A disabled button that holds the focus leaves the dialog deaf to keys (Escape, Tab): the
// focus goes to Close first.
void EnableBackUpNow(HWND dialog, bool enabled) {
    const HWND button = GetDlgItem(dialog, IDC_BACKUP_NOW);
    if (!enabled && GetFocus() == button)
        SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDCANCEL)), TRUE);
    EnableWindow(button, enabled);
}

// The folder, and the newest snapshot in it, or that a snapshot is under way.
void ShowState(HWND dialog, const BackupsDialog& state) {
    const std::optional<fs::path> known = BackupFolderOfDiary(state.page);
    if (!known) {
        SetItemText(dialog, IDC_BACKUP_FOLDER, LoadText(state.view.instance, IDS_BACKUP_FOLDER_UNKNOWN));
        SetItemText(dialog, IDC_BACKUP_LAST, LoadText(state.view.instance, IDS_BACKUP_WAITING));
        EnableBackUpNow(dialog, false);
        return;
    }
    const fs::path& folder = *known;
    SetItemText(dialog, IDC_BACKUP_FOLDER, folder.u16string());
    const bool underWay = SnapshotUnderWay(state.backups);
    EnableBackUpNow(dialog, !underWay);
    if (underWay) {
        SetItemText(dialog, IDC_BACKUP_LAST, LoadText(state.view.instance, IDS_BACKUP_UNDER_WAY));
        return;
    }
    const std::vector<LabelledSnapshot> snapshots =
        ListDiarySnapshots(folder, KnownDiaryIdentity(fs::path(state.page.Folder())).value_or("")).ours;
    if (snapshots.empty()) {
        SetItemText(dialog, IDC_BACKUP_LAST, LoadText(state.view.instance, IDS_BACKUP_NONE_YET));
        return;
    }
    std::error_code error;
    const std::uintmax_t size = fs::file_size(snapshots.front().path, error);
    SetItemText(dialog, IDC_BACKUP_LAST,
                LoadText(state.view.instance, IDS_BACKUP_LAST,
                         {SnapshotTimeText(snapshots.front().time), Number(error ? 0 : (size + 1023) / 1024)}));
}

void ChangeFolder(HWND dialog, const BackupsDialog& state) {
    const std::optional<fs::path> chosen =
        BrowseForFolder(dialog, LoadText(state.view.instance, IDS_BACKUP_CHOOSE_FOLDER));
    if (!chosen) return;
    const fs::path diary(state.page.Folder());
    HINSTANCE instance = state.view.instance;
    // A lost disk or stick would take the backups with the diary.
    if (IsSameOrInside(*chosen, diary)) {
        ShowMessageBox(
            dialog, instance,
            LoadText(instance, IDS_BACKUP_FAILED, {chosen->u16string(), LoadText(instance, IDS_BACKUP_INSIDE_DIARY)}),
            IDS_CAPTION_PROGRAM, MB_OK | MB_ICONWARNING);
        return;
    }
    WriteFault why = WriteFault::None;
    const SettingsKept kept = KeepDiarySettings(
        state.page, state.view, dialog, [&](Settings& settings) { KeepBackupFolder(settings, *chosen); }, &why);
    if (kept == SettingsKept::NotWritten) {
        const int reason = ReasonTextId(why == WriteFault::None ? WriteFault::Other : why);
        ShowMessageBox(dialog, instance, LoadText(instance, IDS_BACKUP_NOT_KEPT, {LoadText(instance, reason)}),
                       IDS_CAPTION_PROGRAM, MB_OK | MB_ICONWARNING);
    }
    ShowState(dialog, state);
}

INT_PTR CALLBACK BackupsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<BackupsDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        PlaceDialog(dialog);
        ShowState(dialog, *reinterpret_cast<BackupsDialog*>(lParam));
        return TRUE;
    case WM_SNAPSHOT_DONE:
        TakeSnapshotResult(state->backups, state->view, dialog);
        ShowState(dialog, *state);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_BACKUP_CHANGE: ChangeFolder(dialog, *state); return TRUE;
        case IDC_BACKUP_NOW:
            StartSnapshotNow(state->backups, state->page, dialog);
            ShowState(dialog, *state);
            return TRUE;
        case IDOK:
        case IDCANCEL: EndDialog(dialog, 0); return TRUE;
        default: return FALSE;
        }
    default: return FALSE;
    }
}

}  // namespace

void ShowBackupsDialog(Page& page, const PageView& view, BackupsOfRun& backups, HWND owner) {
    const DLGTEMPLATE* dialogTemplate = FindDialogTemplate(view.instance, IDD_BACKUPS);
    if (!dialogTemplate) return;
    BackupsDialog state{page, view, backups};
    DialogBoxIndirectParamW(view.instance, dialogTemplate, owner, BackupsDialogProc, reinterpret_cast<LPARAM>(&state));
}
