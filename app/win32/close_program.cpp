// The one way out of the program: ask about unsaved changes, release every object made
// with the window, and end the message loop.
#include <windows.h>

#include "diary_relock.h"
#include "diary_window.h"
#include "main_window.h"
#include "page/win32/page_files.h"
#include "page/win32/current_page.h"
#include "page/win32/build_page_view.h"
#include "page/win32/page_view.h"
#include "page/win32/recovery.h"
#include "notification_icon.h"
#include "page/win32/backups.h"
#include "page/win32/open_elsewhere.h"
#include "platform/win32/loaded_text.h"
#include "platform/wide_text.h"
#include "resources/resource.h"
#include "shell_state.h"

namespace {

enum class CloseAnswer { Go, Stay };

CloseAnswer AskAboutUnsavedPage(HWND window, Page& page, PageView& view) {
    // Asked exactly when saving would write or delete something. With nothing to save,
    // a copy kept of changes since undone would only bring them back at the next start.
    if (!PlanCurrentSave(page, view).WritesAnything()) {
        RemoveRecoveryCopy(page, view);
        return CloseAnswer::Go;
    }
    const int answer =
        ShowMessageBox(window, view.instance, IDS_SAVE_CHANGES, IDS_CAPTION_EXIT, MB_YESNOCANCEL | MB_ICONQUESTION);
    switch (answer) {
    case IDCANCEL: return CloseAnswer::Stay;
    // A save that failed has told the user why; the page stays so nothing is lost.
    case IDYES: return SaveDay(page, view) ? CloseAnswer::Go : CloseAnswer::Stay;
    default:
        // The user gave the changes up: their recovery copy goes with them.
        RemoveRecoveryCopy(page, view);
        return CloseAnswer::Go;
    }
}

// Each object goes once, in this order.
void ReleaseWindowObjects(PageView& view) {
    g_shell.commandBar.reset();
    g_shell.commandBarImages.reset();
    g_shell.toolbarButtons.reset();
    g_shell.colourButtons.reset();

    // The drawing menu holds only the colour, width and pen-type menus as cascades, which
    // are destroyed on their own below.
    g_shell.DetachDrawingCascades();
    g_shell.systemMenuResource.reset();
    g_shell.moodMenu.reset();
    g_shell.weatherMenu.reset();
    g_shell.colourMenu.reset();
    g_shell.widthMenu.reset();
    g_shell.penTypeMenu.reset();
    g_shell.drawingMenu.reset();

    ReleasePageView(view);
    RemoveNotificationIcon(view.window, IDI_DOODLEBINDER);
    g_shell.smallIcon.reset();
    g_shell.largeIcon.reset();
    g_shell.statusStrip.reset();
}

}  // namespace

void CloseProgram(HWND window) {
    DiaryWindow& diary = DiaryOf(window);
    if (AskAboutUnsavedPage(window, diary.page, diary.view) == CloseAnswer::Stay) return;
    SnapshotAtClose(diary.backups, diary.page, diary.view);
    EndPresence(diary.page, diary.view);
    StopRelockWatch(window, diary);
    ReleaseWindowObjects(diary.view);
    Sleep(500);
    ReleaseTaskbarHook(diary.taskbar);
    PostQuitMessage(0);
}

bool SaveForEndOfSession(HWND window) {
    DiaryWindow& diary = DiaryOf(window);
    if (SaveDay(diary.page, diary.view, SaveMode::EndOfSession)) {
        ShutdownBlockReasonDestroy(window);
        return true;
    }
    ShutdownBlockReasonCreate(window, WidePointer(LoadText(diary.view.instance, IDS_END_BLOCKED)));
    return false;
}

void EndSession(HWND window, bool ending) {
    // The session goes on (another program refused): the diary goes on too.
    if (!ending) return;
    EndPresence(DiaryOf(window).page, DiaryOf(window).view);
    RemoveNotificationIcon(window, IDI_DOODLEBINDER);
}
