#include "main_window.h"

#include <commctrl.h>

#include "about.h"
#include "build_window.h"
#include "canvas/page_icons.h"
#include "canvas/pens.h"
#include "canvas/strokes.h"
#include "canvas/stroke_undo.h"
#include "command_routes.h"
#include "daystore/navigation.h"
#include "daystore/page.h"
#include "daystore/recovery.h"
#include "htmlexport/html_output_dialog.h"
#include "keyboard_focus.h"
#include "notification_icon.h"
#include "page_menus.h"
#include "resource.h"
#include "shell_state.h"
#include "taps.h"

namespace {

// A command-bar button opens its menu at the button's bottom-left corner, as a desktop
// toolbar does; where the screen has no room below, the menu goes above the button
// rather than over it.
void ShowCommandBarMenu(HWND window, HMENU menu, int buttonCommand) {
    RECT button{};
    if (!SendMessageW(g_shell.commandBar, TB_GETRECT, buttonCommand, reinterpret_cast<LPARAM>(&button))) return;
    MapWindowPoints(g_shell.commandBar, nullptr, reinterpret_cast<POINT*>(&button), 2);
    TPMPARAMS exclude{sizeof(exclude), button};
    TrackPopupMenuEx(menu, TPM_VERTICAL, button.left, button.bottom, window, &exclude);
}

// An Alt+key accelerator takes the key before any window sees it, so the default handling
// still believes Alt was pressed alone and opens the menu bar when Alt is let go (Wine
// does): the keys typed next would go to the menu instead of the page.
bool IsAltReleaseAfterAccelerator(WPARAM command, LPARAM lParam) {
    if ((command & 0xFFF0) != SC_KEYMENU || lParam != 0 || !g_shell.altChordTaken) return false;
    g_shell.altChordTaken = false;
    return true;
}

}  // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // The shell's restart message has no fixed number, so it cannot be a case label.
    if (IsTaskbarCreatedMessage(message)) { ShowProgramNotificationIcon(window); return 0; }
    switch (message) {
    case WM_CREATE: return BuildMainWindow(window);
    case WM_ACTIVATE: NoteFocusOnDeactivation(window, wParam); return DefWindowProcW(window, message, wParam, lParam);
    case WM_SETFOCUS: PassFocusToPage(window); return 0;
    case WM_PAINT: PaintMainWindow(window); return 0;
    case WM_CLOSE: CloseProgram(window); return 0;
    case WM_DRAWITEM: DrawColourItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return 1;
    case WM_MEASUREITEM: MeasureColourItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)); return 1;
    case WM_COMMAND: RunCommand(window, wParam); return 0;
    case WM_MOUSEMOVE: OnStylusMove(wParam, lParam); return 0;
    case WM_LBUTTONDOWN: HandleTap(window, wParam, lParam); return 0;
    case WM_LBUTTONUP: OnStylusUp(); return 0;
    case WM_CAPTURECHANGED: OnCaptureLost(); return 0;
    case WM_NOTIFICATION_ICON: HandleNotificationIcon(wParam, lParam); return 0;
    case WM_TIMER: WriteRecoveryCopyOnTimer(wParam); return 0;
    case WM_SYSCOMMAND:
        if (IsAltReleaseAfterAccelerator(wParam, lParam)) return 0;
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_QUERYENDSESSION: return SaveForEndOfSession(window) ? TRUE : FALSE;
    case WM_ENDSESSION: EndSession(window, wParam != FALSE); return 0;
    case WM_INITMENUPOPUP: GreyMenuItems(reinterpret_cast<HMENU>(wParam)); return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

// The whole window image lives in the canvas: painting only copies its invalid part.
void PaintMainWindow(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (g_shell.canvasDc) {
        const RECT& r = paint.rcPaint;
        BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, g_shell.canvasDc, r.left, r.top, SRCCOPY);
    }
    EndPaint(window, &paint);
}

void RunCommand(HWND window, WPARAM wParam) {
    CommandRoute route = RouteCommand(wParam);
    // The notification icon's menu works while the window is minimised.
    if (OpensDialog(route.action)) BringWindowToFront(window);
    switch (route.action) {
    case CommandAction::SetWeather:
        if (!PageTakesClassifications()) break;
        g_page.weatherIndex = route.argument; DrawWeatherIcon(route.argument); NotePageEdited(); break;
    case CommandAction::SetMood:
        if (!PageTakesClassifications()) break;
        g_page.moodIndex = route.argument; DrawMoodIcon(route.argument); NotePageEdited(); break;
    case CommandAction::SetPenColour: SetPenColour(route.argument); break;
    case CommandAction::ShowColourMenu: ShowCommandBarMenu(window, g_shell.colourMenu, IDM_COLOUR_BUTTON); break;
    case CommandAction::SetPenWidth: SetPenWidth(route.argument); break;
    case CommandAction::ShowWidthMenu: ShowCommandBarMenu(window, g_shell.widthMenu, IDM_WIDTH_BUTTON); break;
    case CommandAction::SetPenType: SetPenType(route.argument); break;
    case CommandAction::ShowPenTypeMenu: ShowCommandBarMenu(window, g_shell.penTypeMenu, IDM_PEN_TYPE_BUTTON); break;
    case CommandAction::CloseProgram: CloseProgram(window); break;
    case CommandAction::GoPreviousDay: GoPreviousDay(); break;
    case CommandAction::GoNextDay: GoNextDay(); break;
    case CommandAction::PickDay: PickDay(window); break;
    case CommandAction::FindDay: FindDay(window); break;
    case CommandAction::SaveText: SaveTextCommand(); break;
    case CommandAction::ShowHtmlOutput: ShowHtmlOutputDialog(window); break;
    case CommandAction::ShowAbout: ShowAboutDialog(window); break;
    case CommandAction::TogglePictureSaving: TogglePictureSaving(); break;
    case CommandAction::ToggleRuledLines: ToggleRuledLines(window); break;
    case CommandAction::ShowSystemMenu: ShowSystemMenu(); break;
    case CommandAction::ShowDrawingMenu: ShowDrawingMenu(); break;
    case CommandAction::PageEdited: NotePageEdited(); break;
    case CommandAction::PlaceListClosed: PassFocusOnFromPlaceBox(); break;
    case CommandAction::UndoStroke: UndoStroke(); break;
    case CommandAction::RedoStroke: RedoStroke(); break;
    case CommandAction::UndoLastChange: UndoLastChange(); break;
    case CommandAction::None: break;   // control notifications and unknown identifiers
    }
}
