// What the commands print for scripts and people: UTF-8 on stdout, which a Windows
// console gets as UTF-16 whatever its code page, so day names and file names in any
// script read as they are.
#pragma once

#include <string>

void PrintOut(const std::string& text);
