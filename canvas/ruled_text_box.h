// The text box's window procedure filter: ruled lines under the text.
#pragma once

#include <windows.h>

LRESULT CALLBACK RuledTextBoxFilter(HWND box, UINT message, WPARAM wParam, LPARAM lParam);
