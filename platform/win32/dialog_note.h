// A line added under a dialog's controls when it has something to say that only some
// runs need (the diary is locked, and what the dialog writes is not): the dialog grows by
// the note's height, and its laid-out controls stay where they are.
#pragma once

#include <windows.h>

#include <string>

// Before the dialog is placed: the note, wrapped to the dialog's width, in its font.
void AddDialogNote(HWND dialog, const std::u16string& text);
