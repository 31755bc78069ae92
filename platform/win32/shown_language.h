// The language the windows speak: the string table, menus and dialogs of one language are
// taken from the resources, whatever language Windows would pick for the thread.
#pragma once

#include <windows.h>

#include "platform/program_language.h"

// Japanese for a Japanese user interface (GetUserDefaultUILanguage), English for every other.
ProgramLanguage SystemLanguage();

// Every text, menu and dialog loaded from now on is in `language`.
void ShowLanguage(ProgramLanguage language);
ProgramLanguage ShownLanguage();

// The resource `id` of `type` in the shown language; in another language where the shown
// one has none; nullptr when the program has none at all.
const void* FindShownResource(HINSTANCE instance, const wchar_t* type, const wchar_t* id, DWORD* size = nullptr);

// The menu resource `id` in the shown language.
HMENU LoadShownMenu(HINSTANCE instance, int id);
