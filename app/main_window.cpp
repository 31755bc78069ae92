#include "main_window.h"

#include "about.h"
#include "build_window.h"
#include "canvas/page_icons.h"
#include "canvas/pens.h"
#include "canvas/strokes.h"
#include "command_routes.h"
#include "daystore/navigation.h"
#include "daystore/page.h"
#include "htmlexport/html_output_dialog.h"
#include "notification_icon.h"
#include "resource.h"
#include "shell_state.h"
#include "taps.h"

namespace {

// The command-bar buttons open their menus just below the bar, under the button.
void ShowCommandBarMenu(HWND window, HMENU menu, int x) {
    POINT point{x, g_shell.commandBarHeight};
    ClientToScreen(g_shell.mainWindow, &point);
    TrackPopupMenuEx(menu, 0, point.x, point.y, window, nullptr);
}

}  // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: return BuildMainWindow(window);
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
    switch (route.action) {
    case CommandAction::SetWeather: g_page.weatherIndex = route.argument; DrawWeatherIcon(route.argument); break;
    case CommandAction::SetMood: g_page.moodIndex = route.argument; DrawMoodIcon(route.argument); break;
    case CommandAction::SetPenColour: SetPenColour(route.argument); break;
    case CommandAction::ShowColourMenu: ShowCommandBarMenu(window, g_shell.colourMenu, 247); break;
    case CommandAction::SetPenWidth: SetPenWidth(route.argument); break;
    case CommandAction::ShowWidthMenu: ShowCommandBarMenu(window, g_shell.widthMenu, 276); break;
    case CommandAction::SetPenType: SetPenType(route.argument); break;
    case CommandAction::ShowPenTypeMenu: ShowCommandBarMenu(window, g_shell.penTypeMenu, 305); break;
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
    case CommandAction::None: break;   // control notifications and unknown identifiers
    }
}
