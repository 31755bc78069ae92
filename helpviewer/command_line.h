// The page to show, from the viewer's whole command line. The diary starts the viewer
// as a desktop program is started: `"<viewer path>" "<page path>"`. The handheld
// passed the page's path alone, unquoted, as the whole command line, spaces and all.
#pragma once

#include <string>
#include <string_view>

// `programName` is the viewer's own file name (e.g. "peghelp.exe"): a first word that
// names it is the viewer, anything else is the start of the page's path. Empty when no
// page is named.
std::u16string FindPagePath(std::u16string_view commandLine, std::u16string_view programName);
