// A password field's text as the key file takes it: UTF-8, with the field's own UTF-16
// copy wiped once it is read.
#pragma once

#include <windows.h>

#include <string>

std::string SecretFieldText(HWND field);
