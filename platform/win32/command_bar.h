// The handheld's command bar, on the desktop: the window's menu bar holds the menus and
// a toolbar across the top of the client area holds the buttons. The toolbar's height
// is the command-bar height; the page below it starts at that height, as on the handheld.
#pragma once

#include <windows.h>

HWND CommandBar_Create(HINSTANCE instance, HWND parent, int id);
// Loads the menu resource and shows it as the parent window's menu bar.
BOOL CommandBar_InsertMenubar(HWND bar, HINSTANCE instance, WORD menuId, WORD button);
// Adds `count` 16 x 16 images from a bitmap resource (a size of 0 means 16).
int CommandBar_AddBitmap(HWND bar, HINSTANCE instance, int bitmapId, int count, int width, int height);
int CommandBar_Height(HWND bar);
// The menu bar that CommandBar_InsertMenubar put up.
HMENU CommandBar_GetMenu(HWND bar, WORD button);
