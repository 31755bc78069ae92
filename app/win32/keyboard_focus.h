// Where typed keys go. The main window itself takes no keys: whenever it gets the focus
// (start-up, a closed dialog or message box, a switch back from another program) it
// hands it on to the control the user typed into last, the text box at first.
#pragma once

#include <windows.h>

// WM_ACTIVATE: on leaving, notes which of the window's controls held the focus.
void NoteFocusOnDeactivation(HWND window, WPARAM wParam);
// WM_SETFOCUS: passes the focus to the noted control, or to the text box.
void PassFocusToPage(HWND window);
// The keys go to the text box: now, when the window is the active one, and when it is
// next switched back to. A new day's page starts there.
void PassFocusToTextBox();
// The place box's list has closed, with a place chosen or not: the keys go back to the
// text, where letters meant for it would otherwise pick places.
void PassFocusOnFromPlaceBox();
// Before a dialog opens: a minimised window is restored and brought to the front, so
// that the dialog opens over it on the screen and takes the keys.
void BringWindowToFront(HWND window);
