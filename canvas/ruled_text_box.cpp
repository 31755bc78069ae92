#include "ruled_text_box.h"

#include "app/shell_state.h"

// Every message goes on to the edit control; the ruling is drawn on top of its painting.
LRESULT CALLBACK RuledTextBoxFilter(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcW(g_shell.textBoxPreviousProc, box, message, wParam, lParam);
}
