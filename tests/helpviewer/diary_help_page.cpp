#include "diary_help_page.h"

#include <string>

std::vector<std::uint8_t> DiaryHelpPageBytes() {
    const std::string lines[] = {
        "<html>", "<head>", "<meta http-equiv=refer content=\"\">", "</head>", "<body>",
        "<b>Doodlebinder<br>Tap in extreme top left for system menu or Alt+M<br>Tap in top right for drawing menu "
        "or Alt+P<br>Alt+Z/X=Previous/Next day<br>Ctrl+L=Select Day, Alt+C=Exit Program, Ctrl+S=Save text entry" +
            std::string(26, ' '),
        "</ul>", "<hr>", "</body>", "</html>",
    };
    std::string text;
    for (const std::string& line : lines) text += (text.empty() ? "" : "\r\n") + line;
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}
