// Where a dialog opens: centred over its owner, and kept whole inside the work area of
// the owner's monitor (the screen less the taskbar), so that its buttons can be reached
// also when the owner is minimised, partly off the screen, or taller than a small screen.
#pragma once

#include <windows.h>

// Moves the dialog there at `width` x `height`, each cut down to the work area's.
void PlaceDialog(HWND dialog, int width, int height);
// The same at the dialog's present size.
void PlaceDialog(HWND dialog);
