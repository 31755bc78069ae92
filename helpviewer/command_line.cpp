#include "command_line.h"
#include "platform/utf16.h"

namespace {

constexpr bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

std::u16string_view TrimBlanks(std::u16string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// A path in quotes loses them; a closing quote left out is forgiven.
std::u16string_view Unquote(std::u16string_view text) {
    if (text.empty() || text.front() != u'"') return text;
    text.remove_prefix(1);
    return text.substr(0, text.find(u'"'));
}

bool EqualNoCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}

// "C:\dir\peghelp.exe", "peghelp.exe" and "peghelp" all name a program "peghelp.exe".
bool NamesProgram(std::u16string_view word, std::u16string_view programName) {
    std::size_t slash = word.find_last_of(u"\\/");
    if (slash != std::u16string_view::npos) word.remove_prefix(slash + 1);
    if (EqualNoCase(word, programName)) return true;
    std::size_t dot = programName.rfind(u'.');
    return dot != std::u16string_view::npos && EqualNoCase(word, programName.substr(0, dot));
}

}  // namespace

std::u16string FindPagePath(std::u16string_view commandLine, std::u16string_view programName) {
    commandLine = TrimBlanks(commandLine);
    std::size_t wordEnd;
    if (!commandLine.empty() && commandLine.front() == u'"') {
        std::size_t close = commandLine.find(u'"', 1);
        wordEnd = close == std::u16string_view::npos ? commandLine.size() : close + 1;
    } else {
        wordEnd = 0;
        while (wordEnd < commandLine.size() && !IsBlank(commandLine[wordEnd])) ++wordEnd;
    }
    std::u16string_view first = commandLine.substr(0, wordEnd);
    std::u16string_view page = commandLine;
    if (NamesProgram(Unquote(first), programName)) page = TrimBlanks(commandLine.substr(wordEnd));
    return std::u16string(TrimBlanks(Unquote(page)));
}
