// The program's main window built once inside the test process, and ways to work it.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "diarycore/calendar.h"
#include "app/win32/diary_window.h"
#include "program_harness.h"
#include "app/win32/shell_state.h"
#include "platform/win32/shown_language.h"

// The main window, built on first use (the resources linked in); nullptr when it failed.
HWND BuildWindowOnce();

// The built window's page and view.
Page& ThePage();
PageView& TheView();

// A test whose window page is a new one on a fresh diary folder.
class OnBuiltWindow : public ::testing::Test {
protected:
    void SetUp() override;
    std::filesystem::path File(const wchar_t* name) const { return folder_.Path() / name; }
    // The window's page, new, on another diary folder.
    static void OpenDiary(const std::filesystem::path& folder);
    ScratchFolder folder_;
};

// The page's top, t: the command bar's height, 0 in the 240-line layout.
inline int T() { return g_shell.commandBarHeight; }
// The main window handles the command as a menu item's.
inline void Command(WPARAM id) { SendMessageW(g_shell.mainWindow, WM_COMMAND, id, 0); }
// The user types: the text box holds `text` and tells the main window, as after a key.
inline void TypeText(const std::wstring& text) {
    SetWindowTextW(TheView().textBox, text.c_str());
    SendMessageW(g_shell.mainWindow, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(TheView().textBox), EN_CHANGE),
                 reinterpret_cast<LPARAM>(TheView().textBox));
}
// The user picks a place in the place box: the box tells the main window.
inline void ChoosePlaceItem(int item) {
    SendMessageW(TheView().placeBox, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
    SendMessageW(g_shell.mainWindow, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(TheView().placeBox), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(TheView().placeBox));
}
inline bool MenuChecked(HMENU menu, UINT command) { return GetMenuState(menu, command, MF_BYCOMMAND) & MF_CHECKED; }
// The page's index of its folder is listed again at its next use. Files a test puts into
// the folder reach the index through the system's change reports a moment later; a test
// that acts at once has the program list the folder instead.
void RelistDiary();
// Shows the day's page from the data folder (listed anew), over an emptied text box.
void OpenDay(const DayKey& day);
// A stroke as the mouse makes it, in client coordinates: press, drag, let go.
void Stroke(std::initializer_list<POINT> points);
// Sends `command`, and hands the dialog it opens to `work` on another thread, which must
// close it; false when no dialog of the caption came.
bool WorkDialog(WPARAM command, const wchar_t* caption, const std::function<void(HWND)>& work);
// A child window's rectangle in its parent's client area.
RECT ChildRect(HWND child);
// The window lies whole inside the work area of its monitor.
bool InsideWorkArea(HWND window);
// Both buttons are visible inside the dialog's client area, the first left of the second.
bool ButtonsInside(HWND dialog, int leftButton, int rightButton);
