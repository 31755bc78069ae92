// The viewer's window: a resizable frame with the page view filling it. The view's
// window text is the page's plain text, for other programs (and tests) to read.
#pragma once

#include "helpviewer/help_page.h"

#include <windows.h>

constexpr wchar_t kHelpFrameClass[] = L"PegHelp";
constexpr wchar_t kHelpViewClass[] = L"PegHelpView";
constexpr wchar_t kDefaultHelpTitle[] = L"Doodlebinder Help";

// Shows the page until the user closes the window (Escape or the close box); the
// result is the program's exit code.
int RunHelpWindow(HINSTANCE instance, const HelpPage& page, int show);
