// The program's texts for code without resources: the portable parts and the console
// program read the same list the string table is made from, by the same ids
// (resources/resource.h). The window code loads them from the resources (LoadText).
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/program_language.h"

// The text of that id in that language; empty for an id the list does not have. The
// console program's messages are English.
std::u16string_view ProgramText(int id, ProgramLanguage language = ProgramLanguage::English);

// The text with %1, %2 ... up to %9 replaced by the parts in that order, in one pass, so
// a part that holds "%1" itself (a file name may) stays as it is. A % before anything
// else, or before a number with no part, is kept.
std::u16string FillIn(std::u16string_view text, std::initializer_list<std::u16string_view> parts);
