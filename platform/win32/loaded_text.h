// The program's texts as the window code shows them: loaded by id (resources/resource.h)
// from the string table of the resources, so the words live in one place.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <string_view>

// The text of that id in the string table of the shown language; empty when it has none.
std::u16string LoadText(HINSTANCE instance, UINT id);

// The same with %1, %2 ... filled in by the parts (FillIn).
std::u16string LoadText(HINSTANCE instance, UINT id, std::initializer_list<std::u16string_view> parts);

// A message box whose caption, and text where it is given by id, come from the string table.
int ShowMessageBox(HWND owner, HINSTANCE instance, const std::u16string& text, UINT captionId, UINT type);
int ShowMessageBox(HWND owner, HINSTANCE instance, UINT textId, UINT captionId, UINT type);
