// The text box as ruled paper: lines at the text's line pitch, drawn over the edit
// control after it has drawn itself.
#pragma once

#include <windows.h>

// The ruling switch ("Lineson"), on at start.
extern bool g_ruledLinesOn;

// The text box's window procedure filter: every message goes to the edit control once;
// after the ones that may have drawn over the lines, the lines are drawn again.
LRESULT CALLBACK RuledTextBoxFilter(HWND box, UINT message, WPARAM wParam, LPARAM lParam);
