// The help page exactly as the diary writes it, and the text the viewer makes of it.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

// Ten lines joined by CR LF, the sixth ending in 26 blanks, then the NUL that ends
// the text.
std::vector<std::uint8_t> DiaryHelpPageBytes();

constexpr std::u16string_view kDiaryHelpPlainText =
    u"Doodlebinder\r\nTap in extreme top left for system menu or Alt+M\r\n"
    u"Tap in top right for drawing menu or Alt+P\r\nAlt+Z/X=Previous/Next day\r\n"
    u"Ctrl+L=Select Day, Alt+C=Exit Program, Ctrl+S=Save text entry";
