#include "build_window.h"

#include <commctrl.h>

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
    // The buttons' pictures are kept at 1x and drawn larger with the page. The toolbar's
    // own strip has black, greys and white in the system's button colours, as a toolbar
    // shows a bitmap resource; the colour button shows the pen's colour, so its pictures
    // keep theirs.
    g_shell.toolbarButtons.reset(CreateMappedBitmap(g_shell.instance, IDB_TOOLBAR, 0, nullptr, 0));
    g_shell.colourButtons.reset(static_cast<HBITMAP>(
        LoadImageW(g_shell.instance, MAKEINTRESOURCEW(IDB_COLOUR_BUTTONS), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    BITMAP toolbarStrip{};
    GetObjectW(g_shell.toolbarButtons.get(), sizeof(toolbarStrip), &toolbarStrip);
    g_shell.firstColourButtonImage = toolbarStrip.bmWidth / 16;
    ShowCommandBarAtZoom(1);
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
    const LRESULT buttonSize = SendMessageW(g_shell.commandBar.get(), TB_GETBUTTONSIZE, 0, 0);
    g_shell.commandBarAt1x = {g_shell.commandBarHeight, HIWORD(buttonSize)};
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
