// Dialogs are made from their templates in the program's resources, found by number.
#pragma once

#include <windows.h>

// The template of dialog resource `id` in the shown language, or nullptr when the program has none.
const DLGTEMPLATE* FindDialogTemplate(HINSTANCE instance, int id);
