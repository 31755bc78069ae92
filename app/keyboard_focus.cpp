#include "keyboard_focus.h"

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
    HWND target = usable ? noted : g_shell.textBox;
    if (target) SetFocus(target);
}

void BringWindowToFront(HWND window) {
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
    SetForegroundWindow(window);
}
