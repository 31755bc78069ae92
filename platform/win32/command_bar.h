// The handheld's command bar, on the desktop: the window's menu bar holds the menus and
// a toolbar across the top of the client area holds the buttons. The toolbar's height
// is the command-bar height; the page below it starts at that height, as on the handheld.
#pragma once

#include <windows.h>

#include <initializer_list>

#include "platform/win32/window_object.h"

HWND CommandBar_Create(HINSTANCE instance, HWND parent, int id);
// Loads the menu resource and shows it as the parent window's menu bar.
BOOL CommandBar_InsertMenubar(HWND bar, HINSTANCE instance, WORD menuId, WORD button);
// Gives the bar the images of `strips` (16 x 16 images side by side, the strips' images
// numbered in order) at `zoom` times their size, each pixel a square of zoom x zoom, on
// buttons `zoom` times their 1x size; the button face's colour shows through, as with
// images the toolbar loads itself. The bar shows the list returned until the next call.
OwnedImageList CommandBar_SetImages(HWND bar, std::initializer_list<HBITMAP> strips, int zoom);
int CommandBar_Height(HWND bar);
// The menu bar that CommandBar_InsertMenubar put up.
HMENU CommandBar_GetMenu(HWND bar, WORD button);
