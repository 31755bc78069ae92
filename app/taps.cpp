#include "taps.h"

#include <commctrl.h>

#include "canvas/picture_file.h"
#include "canvas/ruled_text_box.h"
#include "canvas/strokes.h"
#include "daystore/navigation.h"
#include "daystore/page.h"
#include "resource.h"
#include "shell_state.h"
#include "tap_regions.h"

namespace {

// The hot-corner menus open at the window's own corners; in the 240-line layout the
// window fills the screen's top, so these are the screen's corners there.
void ShowMenuAtClientPoint(HMENU menu, int x, int y) {
    POINT point{x, y};
    ClientToScreen(g_shell.mainWindow, &point);
    TrackPopupMenuEx(menu, 0, point.x, point.y, g_shell.mainWindow, nullptr);
}

// A switch shows its check mark in both menus that hold it: the menu bar (tall layout)
// and the system menu (every layout: Alt+M and the notification icon open it).
void CheckInBothMenus(UINT command, bool checked) {
    UINT state = MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED);
    if (HMENU bar = GetMenu(g_shell.mainWindow)) CheckMenuItem(bar, command, state);
    if (g_shell.systemMenuResource) CheckMenuItem(g_shell.systemMenuResource, command, state);
}

}  // namespace

void HandleTap(HWND window, WPARAM, LPARAM lParam) {
    int x = LOWORD(lParam);
    int y = HIWORD(lParam);
    POINT screen{x, y};
    ClientToScreen(window, &screen);
    switch (FindTapAction(x, y, g_shell.commandBarHeight, g_shell.tallScreen)) {
    case TapAction::WeatherMenu: TrackPopupMenuEx(g_shell.weatherMenu, 0, screen.x, screen.y, window, nullptr); break;
    case TapAction::MoodMenu: TrackPopupMenuEx(g_shell.moodMenu, 0, screen.x, screen.y, window, nullptr); break;
    case TapAction::DrawingMenu: ShowDrawingMenu(); break;
    case TapAction::PreviousDay: GoPreviousDay(); break;
    case TapAction::NextDay: GoNextDay(); break;
    case TapAction::SystemMenu: ShowSystemMenu(); break;
    case TapAction::StartStroke: StartStrokeWithCapture(window, x, y); break;
    case TapAction::None: break;
    }
}

void ShowSystemMenu() { ShowMenuAtClientPoint(GetSubMenu(g_shell.systemMenuResource, 0), 0, 0); }

void ShowDrawingMenu() { ShowMenuAtClientPoint(g_shell.drawingMenu, g_shell.windowWidth, 0); }

void TogglePictureSaving() {
    g_page.savePicture = !g_page.savePicture;
    CheckInBothMenus(IDM_SAVE_PICTURE, g_page.savePicture);
    DrawPictureSavingMark(!g_page.savePicture);
    // In the 240-line layout the switch is labelled "Cancel" and is easily turned off by
    // mistake: a drawing must never be dropped without the user having been told.
    if (!g_page.savePicture) {
        MessageBoxW(g_shell.mainWindow,
                    L"Picture saving is now off: drawings are not saved while it is off, and the picture "
                    L"frame shows a red dashed edge.\n\nChoose the same menu item again to turn it back on.",
                    L"絵を保存する", MB_OK | MB_ICONWARNING);
    }
}

void ToggleRuledLines(HWND) {
    bool on = !g_ruledLinesOn;
    if (on) {
        // Posted: the text box draws the lines once the switch below holds its new value.
        PostMessageW(g_shell.textBox, WM_RULED_LINES_CHANGED, 0, 0);
    } else {
        InvalidateRect(g_shell.textBox, nullptr, TRUE);
    }
    if (g_shell.commandBar) SendMessageW(g_shell.commandBar, TB_CHECKBUTTON, IDM_RULED_LINES, on ? TRUE : FALSE);
    CheckInBothMenus(IDM_RULED_LINES, on);
    g_ruledLinesOn = on;
}
