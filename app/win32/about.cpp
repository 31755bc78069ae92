#include "about.h"

#include <filesystem>
#include <string>
#include <system_error>

#include "diary_window.h"
#include "diarycore/recovery_files.h"
#include "app/help_page.h"
#include "platform/win32/dialog_placement.h"
#include "platform/win32/dialog_template.h"
#include "platform/file_write.h"
#include "platform/win32/loaded_text.h"
#include "platform/wide_text.h"
#include "resources/resource.h"
#include "platform/win32/shown_language.h"
#include "shell_state.h"

namespace {

constexpr char16_t kHelpPageName[] = u"DoodBind.htp";
constexpr char16_t kHelpViewerName[] = u"peghelp.exe";

// Starts the viewer the desktop way: its own path quoted first on a writable command
// line, the handles it gives back closed at once; the diary does not wait for it.
bool StartHelpViewer(const std::u16string& viewer, const std::u16string& page) {
    std::u16string commandLine = u"\"" + viewer + u"\" \"" + page + u"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(WidePointer(viewer), reinterpret_cast<wchar_t*>(commandLine.data()), nullptr, nullptr, FALSE, 0,
                        nullptr, nullptr, &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

}  // namespace

bool OpenHelpPage(HWND owner, const std::u16string& diaryFolder) {
    // The viewer is beside the program. The page is written beside a portable program, as
    // the handheld did, and into the diary's working folder otherwise, where the user's
    // own files are not.
    const std::filesystem::path folder = g_shell.diaryPlace.kind == DiaryPlaceKind::Portable
                                             ? std::filesystem::path(diaryFolder)
                                             : WorkFolder(diaryFolder);
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    const std::u16string page = (folder / kHelpPageName).u16string();
    // A viewer started on a stale or missing page would hide the failure.
    if (WriteFileSafely(std::filesystem::path(page), HelpPageBytes(ShownLanguage())) != WriteStatus::Ok) {
        ShowMessageBox(owner, g_shell.instance, IDS_WRITE_ERROR, IDS_CAPTION_ERROR, MB_ICONEXCLAMATION);
        return false;
    }
    if (!StartHelpViewer(g_shell.programFolder + u"\\" + kHelpViewerName, page)) {
        ShowMessageBox(owner, g_shell.instance, IDS_HELP_VIEWER_FAILED, IDS_CAPTION_ERR, MB_ICONEXCLAMATION);
        return false;
    }
    return true;
}

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: PlaceDialog(dialog); return FALSE;  // no control takes the focus
    case WM_COMMAND:
        if (wParam == IDOK || wParam == IDCANCEL) {
            EndDialog(dialog, 1);
            return TRUE;
        }
        if (wParam == IDC_HELP_BUTTON)
            OpenHelpPage(g_shell.mainWindow, DiaryOf(g_shell.mainWindow).page.Folder());  // the box stays open
        return FALSE;
    default: return FALSE;
    }
}

void ShowAboutDialog(HWND owner) {
    const DLGTEMPLATE* dialogTemplate = FindDialogTemplate(g_shell.instance, IDD_ABOUT);
    if (!dialogTemplate) return;
    DialogBoxIndirectParamW(g_shell.instance, dialogTemplate, owner, AboutDialogProc, 0);
}
