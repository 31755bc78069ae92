#include "keyboard_focus.h"

#include "diary_window.h"
#include "shell_state.h"

void NoteFocusOnDeactivation(HWND window, WPARAM wParam) {
    if (LOWORD(wParam) != WA_INACTIVE) return;
    // Only the window's own controls: a dialog being opened may already hold the focus.
    HWND focus = GetFocus();
    if (focus && IsChild(window, focus)) g_shell.focusBeforeDeactivation = focus;
}

void PassFocusToPage(HWND window) {
    HWND noted = g_shell.focusBeforeDeactivation;
    bool usable = noted && IsChild(window, noted) && IsWindowVisible(noted) && IsWindowEnabled(noted);
    HWND target = usable ? noted : DiaryOf(window).view.textBox;
    if (target) SetFocus(target);
}

void PassFocusToTextBox() {
    const HWND textBox = DiaryOf(g_shell.mainWindow).view.textBox;
    g_shell.focusBeforeDeactivation = textBox;
    if (textBox && GetActiveWindow() == g_shell.mainWindow) SetFocus(textBox);
}

void PassFocusOnFromPlaceBox() {
    // The end of a choice is told while the list is still down (the list's closing
    // follows), and also when the box is losing the focus to something else anyway.
    const HWND placeBox = DiaryOf(g_shell.mainWindow).view.placeBox;
    if (GetFocus() != placeBox || SendMessageW(placeBox, CB_GETDROPPEDSTATE, 0, 0)) return;
    PassFocusToTextBox();
}

void BringWindowToFront(HWND window) {
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
    SetForegroundWindow(window);
}
