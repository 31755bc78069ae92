#include "help_page.h"

#include <string_view>

namespace {

constexpr std::string_view kHelpLines[] = {
    "<html>",
    "<head>",
    "<meta http-equiv=refer content=\"\">",
    "</head>",
    "<body>",
    "<b>Doodlebinder<br>Tap in extreme top left for system menu or Alt+M<br>Tap in top right for drawing menu "
    "or Alt+P<br>Alt+Z/X=Previous/Next day<br>Ctrl+L=Select Day, Alt+C=Exit Program, Ctrl+S=Save text entry"
    "                          ",
    "</ul>",
    "<hr>",
    "</body>",
    "</html>",
};

}  // namespace

std::vector<std::uint8_t> HelpPageBytes() {
    std::vector<std::uint8_t> bytes;
    for (std::string_view line : kHelpLines) {
        if (!bytes.empty()) bytes.insert(bytes.end(), {'\r', '\n'});
        bytes.insert(bytes.end(), line.begin(), line.end());
    }
    bytes.push_back(0);
    return bytes;
}
