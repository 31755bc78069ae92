// A window's whole text (an edit control's contents, a dialog item), however long.
#pragma once

#include <windows.h>

#include <string>

std::u16string ReadWindowText(HWND window);
