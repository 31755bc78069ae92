// The recovery key of a diary just locked, shown this once: the words that say to write
// it down, and the key in a read-only field where it can be selected and copied.
#pragma once

#include <windows.h>

#include <string_view>

void ShowRecoveryKey(HWND owner, HINSTANCE instance, std::string_view recoveryText);
