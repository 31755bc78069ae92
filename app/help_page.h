// The help page the About box writes for the help viewer, in the language the program
// speaks.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/program_language.h"

// The page's bytes in code page 932, as the viewer reads them: its lines joined by CR LF,
// then one NUL. The Japanese page starts with the handheld's own lines, as they were.
std::vector<std::uint8_t> HelpPageBytes(ProgramLanguage language);
