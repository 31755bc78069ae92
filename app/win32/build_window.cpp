#include "build_window.h"

#include <commctrl.h>

#include "diarycore/picture_bytes.h"
#include "diary_window.h"
#include "notification_icon.h"
#include "page/win32/backups.h"
#include "page/win32/disk_changes.h"
#include "page/win32/navigation.h"
#include "page/win32/page_files.h"
#include "page/win32/build_page_view.h"
#include "page/win32/page_view.h"
#include "page_menus.h"
#include "platform/win32/command_bar.h"
#include "platform/win32/dialog_template.h"
#include "platform/win32/loaded_text.h"
#include "platform/win32/shown_language.h"
#include "resources/resource.h"
#include "shell_state.h"
#include "window_zoom.h"

namespace {

void BuildCommandBar(HWND window) {
    g_shell.commandBar.reset(CommandBar_Create(g_shell.instance, window, IDC_COMMAND_BAR));
    CommandBar_InsertMenubar(g_shell.commandBar.get(), g_shell.instance, IDR_MENU_BAR, 0);
    CommandBar_AddBitmap(g_shell.commandBar.get(), g_shell.instance, IDB_TOOLBAR, 4, 0, 0);
    // The colour button shows the pen's colour. Its pictures are given as a bitmap of our
    // own: from a resource the toolbar would turn black, greys and white into the
    // system's button colours.
    g_shell.colourButtons.reset(static_cast<HBITMAP>(
        LoadImageW(g_shell.instance, MAKEINTRESOURCEW(IDB_COLOUR_BUTTONS), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    TBADDBITMAP colours{nullptr, reinterpret_cast<UINT_PTR>(g_shell.colourButtons.get())};
    g_shell.firstColourButtonImage = static_cast<int>(
        SendMessageW(g_shell.commandBar.get(), TB_ADDBITMAP, kPalette.size(), reinterpret_cast<LPARAM>(&colours)));
    const TBBUTTON buttons[] = {
        {0, 0, 0, TBSTYLE_SEP, {}, 0, 0},
        {0, IDM_COLOUR_BUTTON, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
        {1, IDM_WIDTH_BUTTON, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
        {2, IDM_PEN_TYPE_BUTTON, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
        {0, 0, 0, TBSTYLE_SEP, {}, 0, 0},
        {3, IDM_RULED_LINES, TBSTATE_ENABLED | TBSTATE_CHECKED, TBSTYLE_BUTTON, {}, 0, 0},
    };
    SendMessageW(g_shell.commandBar.get(), TB_ADDBUTTONS, std::size(buttons), reinterpret_cast<LPARAM>(buttons));

    // The page starts below it; the window is sized to the page once its zoom is known.
    g_shell.commandBarHeight = CommandBar_Height(g_shell.commandBar.get());
}

void SetWindowIcons(HWND window) {
    g_shell.smallIcon.reset(
        static_cast<HICON>(LoadImageW(g_shell.instance, MAKEINTRESOURCEW(IDI_DOODLEBINDER), IMAGE_ICON, 16, 16, 0)));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(g_shell.smallIcon.get()));
    // The desktop also shows a large icon (task switcher, taskbar).
    g_shell.largeIcon.reset(
        static_cast<HICON>(LoadImageW(g_shell.instance, MAKEINTRESOURCEW(IDI_DOODLEBINDER), IMAGE_ICON, 32, 32, 0)));
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(g_shell.largeIcon.get()));
}

void BuildStatusStrip(HWND window) {
    const DLGTEMPLATE* dialogTemplate = FindDialogTemplate(g_shell.instance, IDD_STATUS_STRIP);
    if (dialogTemplate) {
        g_shell.statusStrip.reset(
            CreateDialogIndirectParamW(g_shell.instance, dialogTemplate, nullptr, StatusStripDialogProc, 0));
    }
    if (!g_shell.statusStrip) {
        ShowMessageBox(window, g_shell.instance, IDS_NO_STATUS_STRIP, IDS_CAPTION_ERR, MB_ICONHAND);
    }
    SetWindowPos(g_shell.statusStrip.get(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_HIDEWINDOW);
}

}  // namespace

INT_PTR CALLBACK StatusStripDialogProc(HWND, UINT, WPARAM, LPARAM) { return 0; }

LRESULT BuildMainWindow(HWND window) {
    DiaryWindow* diary = AttachDiary(window, g_shell.dataFolder);
    if (g_shell.tallScreen) BuildCommandBar(window);
    ChooseStartZoom(*diary, window);
    SetWindowIcons(window);
    ShowProgramNotificationIcon(window);
    InstallTaskbarHook(diary->taskbar);
    g_shell.systemMenuResource.reset(LoadShownMenu(g_shell.instance, IDR_SYSTEM_MENU));
    BuildPopupMenus();
    BuildPageView(diary->view, window, g_shell.instance, g_shell.commandBarHeight);
    ShowPenColourOnButton(diary->view);
    MarkMenus(*diary);
    ShowToday(diary->page, diary->view);
    BuildStatusStrip(window);
    LoadDay(diary->page, diary->view);
    StartHourlySnapshots(diary->view);
    StartFollowingDayFiles(diary->view);
    return 0;
}
