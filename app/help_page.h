// The help page the About box writes for the help viewer.
#pragma once

#include <cstdint>
#include <vector>

// The page's bytes: its ten lines joined by CR LF, then one NUL. The text is ASCII, so
// every code page gives the same bytes.
std::vector<std::uint8_t> HelpPageBytes();
