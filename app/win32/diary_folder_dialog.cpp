#include "diary_folder_dialog.h"

#include <shellapi.h>

#include <filesystem>
#include <optional>
#include <string>

#include "app/diary_move.h"
#include "app/diary_place.h"
#include "backup/snapshot.h"
#include "diary_location.h"
#include "diary_window.h"
#include "page/win32/current_page.h"
#include "page/win32/page_files.h"
#include "platform/file_read.h"
#include "platform/wide_text.h"
#include "platform/win32/dialog_placement.h"
#include "platform/win32/dialog_template.h"
#include "platform/win32/folder_browser.h"
#include "platform/win32/loaded_text.h"
#include "resources/resource.h"
#include "shell_state.h"

namespace fs = std::filesystem;

namespace {

struct DiaryFolderDialog {
    HWND mainWindow;
    bool switched = false;  // the diary runs on another folder now: this program closes
};

std::u16string Number(std::size_t value) {
    const std::string text = std::to_string(value);
    return std::u16string(text.begin(), text.end());
}

void ShowPlace(HWND dialog) {
    SetDlgItemTextW(dialog, IDC_DIARY_FOLDER_PATH, WidePointer(g_shell.dataFolder));
    const UINT kind = IDS_DIARY_FOLDER_NAMED + static_cast<UINT>(g_shell.diaryPlace.kind);
    SetDlgItemTextW(dialog, IDC_DIARY_FOLDER_KIND, WidePointer(LoadText(g_shell.instance, kind)));
}

void OpenInExplorer(HWND dialog) {
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(dialog, L"explore", WidePointer(g_shell.dataFolder), nullptr, nullptr, SW_SHOWNORMAL));
    if (result <= 32)
        ShowMessageBox(dialog, g_shell.instance,
                       LoadText(g_shell.instance, IDS_DIARY_EXPLORER_FAILED, {g_shell.dataFolder}), IDS_CAPTION_ERR,
                       MB_OK | MB_ICONEXCLAMATION);
}

// Moves the diary's files when the user wants them moved; false when the diary is to stay
// where it is (the user cancelled, or the move failed and left the old folder whole).
bool OfferMove(HWND dialog, const fs::path& from, const fs::path& to) {
    if (HoldsDiary(to) || !HoldsDiary(from)) return true;
    const std::size_t files = ListDiaryFiles(from).size();
    const HINSTANCE instance = g_shell.instance;
    const int answer = ShowMessageBox(
        dialog, instance, LoadText(instance, IDS_DIARY_MOVE_ASK, {to.u16string(), Number(files), from.u16string()}),
        IDS_CAPTION_PROGRAM, MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDCANCEL) return false;
    if (answer == IDNO) return true;
    const DiaryMove move = MoveDiary(from, to);
    switch (move.outcome) {
    case DiaryMoveOutcome::Moved:
    case DiaryMoveOutcome::NothingToMove: return true;
    case DiaryMoveOutcome::OldFilesLeft: {
        std::u16string lines;
        for (const fs::path& file : move.left) lines += file.u16string() + u"\n";
        ShowMessageBox(dialog, instance,
                       LoadText(instance, IDS_DIARY_MOVE_LEFT, {to.u16string(), from.u16string(), lines}),
                       IDS_CAPTION_PROGRAM, MB_OK | MB_ICONWARNING);
        return true;
    }
    case DiaryMoveOutcome::CopyFailed:
        ShowMessageBox(dialog, instance,
                       LoadText(instance, IDS_DIARY_MOVE_FAILED,
                                {to.u16string(), move.file.u16string(), LoadText(instance, ReasonTextId(move.fault)),
                                 from.u16string()}),
                       IDS_CAPTION_ERR, MB_OK | MB_ICONEXCLAMATION);
        return false;
    case DiaryMoveOutcome::CheckFailed:
        ShowMessageBox(
            dialog, instance,
            LoadText(instance, IDS_DIARY_MOVE_CHECK_FAILED, {to.u16string(), move.file.u16string(), from.u16string()}),
            IDS_CAPTION_ERR, MB_OK | MB_ICONEXCLAMATION);
        return false;
    case DiaryMoveOutcome::NotAFolder:
    default:
        ShowMessageBox(dialog, instance, LoadText(instance, IDS_DIARY_INSIDE_DIARY, {to.u16string()}), IDS_CAPTION_ERR,
                       MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
}

// The program again, on the kept choice or, where none could be kept, on the folder named.
bool StartDiaryAgain(const std::optional<fs::path>& named) {
    const std::u16string self = ReadProgramPath();
    if (self.empty()) return false;
    std::u16string commandLine = u"\"" + self + u"\"";
    if (named) commandLine += u" --diary \"" + named->u16string() + u"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(WidePointer(self), reinterpret_cast<wchar_t*>(commandLine.data()), nullptr, nullptr, FALSE, 0,
                        nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

void ChooseAnotherFolder(HWND dialog, DiaryFolderDialog& state) {
    const fs::path current(g_shell.dataFolder);
    const HINSTANCE instance = g_shell.instance;
    const std::optional<fs::path> chosen =
        BrowseForFolder(dialog, LoadText(instance, IDS_DIARY_CHOOSE_FOLDER), current);
    if (!chosen || (IsSameOrInside(*chosen, current) && IsSameOrInside(current, *chosen))) return;
    if (IsSameOrInside(*chosen, current)) {
        ShowMessageBox(dialog, instance, LoadText(instance, IDS_DIARY_INSIDE_DIARY, {chosen->u16string()}),
                       IDS_CAPTION_ERR, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    // The page on show goes to the disk first: the move takes the diary's files as they are
    // there. A save that failed has told the user why, and the diary stays.
    DiaryWindow& diary = DiaryOf(state.mainWindow);
    if (PlanCurrentSave(diary.page, diary.view).WritesAnything() && !SaveDay(diary.page, diary.view)) return;
    if (!OfferMove(dialog, current, *chosen)) return;

    bool kept = false;
    if (g_shell.diaryPlace.kind != DiaryPlaceKind::Named && !g_shell.diaryPlace.choiceFile.empty()) {
        WriteFault why = WriteFault::None;
        kept = KeepDiaryChoice(g_shell.diaryPlace.choiceFile, *chosen, &why) == WriteStatus::Ok;
        if (!kept)
            ShowMessageBox(
                dialog, instance,
                LoadText(instance, IDS_DIARY_CHOICE_NOT_KEPT,
                         {g_shell.diaryPlace.choiceFile.u16string(),
                          LoadText(instance, ReasonTextId(why == WriteFault::None ? WriteFault::Other : why))}),
                IDS_CAPTION_PROGRAM, MB_OK | MB_ICONWARNING);
    }
    // Index, watch, backups and settings all belong to the folder: the program starts
    // again on the new one, and this one closes.
    if (!StartDiaryAgain(kept ? std::nullopt : chosen)) {
        ShowMessageBox(dialog, instance, LoadText(instance, IDS_DIARY_RESTART_FAILED, {chosen->u16string()}),
                       IDS_CAPTION_ERR, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    state.switched = true;
    EndDialog(dialog, 0);
}

INT_PTR CALLBACK DiaryFolderDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<DiaryFolderDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        PlaceDialog(dialog);
        ShowPlace(dialog);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_DIARY_FOLDER_OPEN: OpenInExplorer(dialog); return TRUE;
        case IDC_DIARY_FOLDER_CHOOSE: ChooseAnotherFolder(dialog, *state); return TRUE;
        case IDOK:
        case IDCANCEL: EndDialog(dialog, 0); return TRUE;
        default: return FALSE;
        }
    default: return FALSE;
    }
}

}  // namespace

bool ShowDiaryFolderDialog(HWND mainWindow) {
    const DLGTEMPLATE* dialogTemplate = FindDialogTemplate(g_shell.instance, IDD_DIARY_FOLDER);
    if (!dialogTemplate) return false;
    DiaryFolderDialog state{mainWindow};
    DialogBoxIndirectParamW(g_shell.instance, dialogTemplate, mainWindow, DiaryFolderDialogProc,
                            reinterpret_cast<LPARAM>(&state));
    return state.switched;
}
