// What tells an earlier version of a day apart from the page as it is now, so that two
// versions with the same first line do not look the same in the list.
#pragma once

#include <string>
#include <string_view>

// The first of the version's lines that the page does not have at the same place; its
// first line when every line it has is the page's too. Lines end in CR LF, LF or CR.
std::u16string LineThatDiffers(std::u16string_view version, std::u16string_view now);
