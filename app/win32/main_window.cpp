#include "main_window.h"

#include <commctrl.h>

#include "about.h"
#include "build_window.h"
#include "app/command_routes.h"
#include "diary_folder_dialog.h"
#include "diary_relock.h"
#include "diary_location.h"
#include "diary_lock.h"
#include "diary_window.h"
#include "htmlexport/win32/html_output_dialog.h"
#include "keyboard_focus.h"
#include "language_switch.h"
#include "notification_icon.h"
#include "page/win32/backups.h"
#include "backup/win32/backups_dialog.h"
#include "page/win32/disk_changes.h"
#include "backup/win32/earlier_versions.h"
#include "app/win32/look_back.h"
#include "page/win32/navigation.h"
#include "page/win32/open_elsewhere.h"
#include "app/win32/print_days.h"
#include "page/win32/page_edits.h"
#include "page/win32/pens.h"
#include "page/win32/recovery.h"
#include "page/win32/stroke_undo.h"
#include "page/win32/strokes.h"
#include "page_menus.h"
#include "resources/resource.h"
#include "shell_state.h"
#include "taps.h"
#include "window_zoom.h"

namespace {

// A command-bar button opens its menu at the button's bottom-left corner, as a desktop
// toolbar does; where the screen has no room below, the menu goes above the button
// rather than over it.
void ShowCommandBarMenu(HWND window, HMENU menu, int buttonCommand) {
    RECT button{};
    if (!SendMessageW(g_shell.commandBar.get(), TB_GETRECT, buttonCommand, reinterpret_cast<LPARAM>(&button))) return;
    MapWindowPoints(g_shell.commandBar.get(), nullptr, reinterpret_cast<POINT*>(&button), 2);
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

// A new day's page starts with the keys in its text box.
void AfterChangeOfDay(bool changed) {
    if (changed) PassFocusToTextBox();
}

}  // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // The shell's restart message has no fixed number, so it cannot be a case label.
    if (IsTaskbarCreatedMessage(message)) {
        ShowProgramNotificationIcon(window);
        return 0;
    }
    // Made by WM_CREATE: messages before it (and after WM_NCDESTROY) are the system's.
    DiaryWindow* diary = FindDiary(window);
    if (message == WM_CREATE) return BuildMainWindow(window);
    if (!diary) return DefWindowProcW(window, message, wParam, lParam);
    Page& page = diary->page;
    PageView& view = diary->view;
    switch (message) {
    case WM_ACTIVATE: NoteFocusOnDeactivation(window, wParam); return DefWindowProcW(window, message, wParam, lParam);
    case WM_SETFOCUS: PassFocusToPage(window); return 0;
    case WM_PAINT: PaintMainWindow(window); return 0;
    case WM_CLOSE: CloseProgram(window); return 0;
    case WM_NCDESTROY:
        UnmarkDiaryWindow(window);
        ForgetDiary(window);
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_DRAWITEM: DrawColourItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return 1;
    case WM_MEASUREITEM: MeasureColourItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)); return 1;
    case WM_COMMAND: RunCommand(window, wParam); return 0;
    case WM_MOUSEMOVE: OnStylusMove(page, view, wParam, lParam); return 0;
    case WM_LBUTTONDOWN: HandleTap(window, wParam, lParam); return 0;
    case WM_LBUTTONUP: OnStylusUp(page, view); return 0;
    case WM_CAPTURECHANGED: OnCaptureLost(page, view); return 0;
    case WM_NOTIFICATION_ICON: HandleNotificationIcon(diary->taskbar, wParam, lParam); return 0;
    case WM_TIMER:
        WriteRecoveryCopyOnTimer(page, view, wParam);
        FollowDayFilesOnTimer(page, view, wParam);
        PresenceOnTimer(page, view, wParam);
        SnapshotOnTimer(diary->backups, page, view, wParam);
        RelockOnTimer(window, *diary, wParam);
        return 0;
    case WM_WTSSESSION_CHANGE: RelockOnSessionChange(window, *diary, wParam); return 0;
    case WM_SNAPSHOT_DONE: TakeSnapshotResult(diary->backups, view); return 0;
    case WM_SYSCOMMAND:
        if (IsAltReleaseAfterAccelerator(wParam, lParam)) return 0;
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_QUERYENDSESSION: return SaveForEndOfSession(window) ? TRUE : FALSE;
    case WM_ENDSESSION: EndSession(window, wParam != FALSE); return 0;
    case WM_INITMENUPOPUP: PrepareMenu(reinterpret_cast<HMENU>(wParam), *diary); return 0;
    case WM_DPICHANGED:
        FollowMonitorScale(*diary, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        MarkMenus(*diary);
        return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

// The whole window image lives in the canvas: painting only copies its invalid part.
void PaintMainWindow(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (DiaryWindow* diary = FindDiary(window)) PaintPage(diary->view, dc, paint.rcPaint);
    EndPaint(window, &paint);
}

void RunCommand(HWND window, WPARAM wParam) {
    CommandRoute route = RouteCommand(wParam);
    Page& page = DiaryOf(window).page;
    PageView& view = DiaryOf(window).view;
    // The notification icon's menu works while the window is minimised.
    if (OpensDialog(route.action)) BringWindowToFront(window);
    switch (route.action) {
    case CommandAction::SetWeather: SetPageWeather(page, view, route.argument); break;
    case CommandAction::SetMood: SetPageMood(page, view, route.argument); break;
    case CommandAction::SetPenColour:
        SetPenColour(view, route.argument);
        ShowPenColourOnButton(view);
        break;
    case CommandAction::ShowColourMenu: ShowCommandBarMenu(window, g_shell.colourMenu.get(), IDM_COLOUR_BUTTON); break;
    case CommandAction::SetPenWidth:
        SetPenWidth(view, route.argument);
        MarkMenus(DiaryOf(window));
        break;
    case CommandAction::ShowWidthMenu: ShowCommandBarMenu(window, g_shell.widthMenu.get(), IDM_WIDTH_BUTTON); break;
    case CommandAction::SetPenType:
        SetPenType(view, route.argument);
        MarkMenus(DiaryOf(window));
        break;
    case CommandAction::ShowPenTypeMenu:
        ShowCommandBarMenu(window, g_shell.penTypeMenu.get(), IDM_PEN_TYPE_BUTTON);
        break;
    case CommandAction::CloseProgram: CloseProgram(window); break;
    case CommandAction::GoPreviousDay: AfterChangeOfDay(GoPreviousDay(page, view)); break;
    case CommandAction::GoNextDay: AfterChangeOfDay(GoNextDay(page, view)); break;
    case CommandAction::PickDay: AfterChangeOfDay(PickDay(page, view, window)); break;
    case CommandAction::FindDay: AfterChangeOfDay(FindDay(page, view, window)); break;
    case CommandAction::ShowMonth: AfterChangeOfDay(LookBack(page, view, window, LookBackView::Month)); break;
    case CommandAction::ShowSameDay: AfterChangeOfDay(LookBack(page, view, window, LookBackView::SameDay)); break;
    case CommandAction::ShowYear: AfterChangeOfDay(LookBack(page, view, window, LookBackView::Year)); break;
    case CommandAction::PrintDays: PrintDays(page, view, window); break;
    case CommandAction::SaveText: SaveTextCommand(page, view); break;
    case CommandAction::ShowHtmlOutput:
        ShowHtmlOutputDialog(window, page, view, g_shell.statusStrip.get(), DiaryOf(window).htmlOutput);
        break;
    case CommandAction::ShowAbout: ShowAboutDialog(window); break;
    case CommandAction::ShowBackups: ShowBackupsDialog(page, view, DiaryOf(window).backups, window); break;
    case CommandAction::ShowDiaryFolder:
        if (ShowDiaryFolderDialog(window)) CloseProgram(window);
        break;
    case CommandAction::LockDiary: LockDiaryCommand(window); break;
    case CommandAction::UnlockDiary: UnlockDiaryCommand(window); break;
    case CommandAction::ChangePassword: ChangeDiaryPassword(window); break;
    case CommandAction::ChooseIdleLock:
        ChooseIdleLock(window, DiaryOf(window), route.argument);
        MarkMenus(DiaryOf(window));
        break;
    case CommandAction::ShowEarlierVersions: ShowEarlierVersions(page, view, window); break;
    case CommandAction::TogglePictureSaving: TogglePictureSaving(page, view); break;
    case CommandAction::ToggleRuledLines: ToggleRuledLines(view); break;
    case CommandAction::ShowSystemMenu: ShowSystemMenu(); break;
    case CommandAction::ShowDrawingMenu: ShowDrawingMenu(); break;
    case CommandAction::TextTyped: TakeTypedText(page, view); break;
    case CommandAction::PlaceChosen: TakeChosenPlace(page, view); break;
    case CommandAction::PlaceListClosed: PassFocusOnFromPlaceBox(); break;
    case CommandAction::UndoStroke: UndoStroke(page, view); break;
    case CommandAction::RedoStroke: RedoStroke(page, view); break;
    case CommandAction::UndoLastChange:
        if (!UndoRestore(page, view)) UndoLastChange(page, view);
        break;
    case CommandAction::ZoomIn:
        StepZoom(DiaryOf(window), 1);
        MarkMenus(DiaryOf(window));
        break;
    case CommandAction::ZoomOut:
        StepZoom(DiaryOf(window), -1);
        MarkMenus(DiaryOf(window));
        break;
    case CommandAction::SetZoom:
        ChooseZoom(DiaryOf(window), route.argument);
        MarkMenus(DiaryOf(window));
        break;
    case CommandAction::ChooseLanguage:
        SwitchLanguage(DiaryOf(window), static_cast<LanguageChoice>(route.argument));
        break;
    case CommandAction::SetWeekStart:
        ChooseWeekStart(page, view, window, static_cast<WeekStart>(route.argument));
        MarkMenus(DiaryOf(window));
        break;
    case CommandAction::None: break;  // control notifications and unknown identifiers
    }
}
