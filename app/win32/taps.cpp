#include "taps.h"

#include <commctrl.h>

#include "diary_window.h"
#include "keyboard_focus.h"
#include "page/win32/navigation.h"
#include "page/win32/page_edits.h"
#include "page/win32/ruled_text_box.h"
#include "page/win32/strokes.h"
#include "page_menus.h"
#include "platform/win32/loaded_text.h"
#include "resources/resource.h"
#include "shell_state.h"

namespace {

// The hot-corner menus open at the window's own corners; in the 240-line layout the
// window fills the screen's top, so these are the screen's corners there.
void ShowMenuAtClientPoint(HMENU menu, int x, int y) {
    POINT point{x, y};
    ClientToScreen(g_shell.mainWindow, &point);
    TrackPopupMenuEx(menu, 0, point.x, point.y, g_shell.mainWindow, nullptr);
}

}  // namespace

void HandleTap(HWND window, WPARAM, LPARAM lParam) {
    DiaryWindow& diary = DiaryOf(window);
    const int x = LOWORD(lParam), y = HIWORD(lParam);
    POINT screen{x, y};
    ClientToScreen(window, &screen);
    const PagePoint at = diary.view.PageAt(x, y);
    switch (FindTapAction(at, g_shell.tallScreen)) {
    case TapAction::WeatherMenu:
        TrackPopupMenuEx(g_shell.weatherMenu.get(), 0, screen.x, screen.y, window, nullptr);
        break;
    case TapAction::MoodMenu: TrackPopupMenuEx(g_shell.moodMenu.get(), 0, screen.x, screen.y, window, nullptr); break;
    case TapAction::DrawingMenu: ShowDrawingMenu(); break;
    case TapAction::PreviousDay:
        if (GoPreviousDay(diary.page, diary.view)) PassFocusToTextBox();
        break;
    case TapAction::NextDay:
        if (GoNextDay(diary.page, diary.view)) PassFocusToTextBox();
        break;
    case TapAction::SystemMenu: ShowSystemMenu(); break;
    case TapAction::StartStroke: StartStrokeWithCapture(diary.page, diary.view, at); break;
    case TapAction::None: break;
    }
}

void ShowSystemMenu() { ShowMenuAtClientPoint(GetSubMenu(g_shell.systemMenuResource.get(), 0), 0, 0); }

void ShowDrawingMenu() { ShowMenuAtClientPoint(g_shell.drawingMenu.get(), g_shell.windowWidth, 0); }

void TogglePictureSaving(Page& page, PageView& view) {
    SetPictureSaving(page, view, !page.SavesPicture());
    MarkMenus(DiaryOf(view.window));
    // In the 240-line layout the switch is labelled "Cancel" and is easily turned off by
    // mistake: a drawing must never be dropped without the user having been told.
    if (!page.SavesPicture()) {
        ShowMessageBox(view.window, view.instance, IDS_PICTURE_SAVING_OFF, IDS_CAPTION_SAVE_PICTURE,
                       MB_OK | MB_ICONWARNING);
    }
}

void ToggleRuledLines(PageView& view) {
    SetRuledLines(view, !view.ruledLinesOn);
    if (g_shell.commandBar)
        SendMessageW(g_shell.commandBar.get(), TB_CHECKBUTTON, IDM_RULED_LINES, view.ruledLinesOn ? TRUE : FALSE);
    MarkMenus(DiaryOf(view.window));
}
