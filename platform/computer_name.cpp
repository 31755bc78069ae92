#include "computer_name.h"

std::u16string ComputerFolderName(std::u16string_view name) {
    std::u16string safe;
    for (const char16_t c : name) {
        const bool plain = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') ||
                           c == u'-' || c == u'_' || c == u'.';
        safe += plain ? c : u'_';
    }
    // "." and ".." name no folder of their own.
    if (safe.find_first_not_of(u'.') == std::u16string::npos) return u"computer";
    // The program's folder names its shared folders so.
    std::u16string lower = safe;
    for (char16_t& c : lower) c = c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c | 0x20) : c;
    if (lower == u"merged" || lower == u"tmp") return u"computer-" + safe;
    return safe;
}
