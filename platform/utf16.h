// UTF-16 text: a code point appended, and the ASCII letters made small, as file names and
// markup compare them (no other letter changes).
#pragma once

#include <string>

inline constexpr char16_t AsciiLower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

// One Unicode code point appended as UTF-16: one unit, or a surrogate pair above U+FFFF.
// What is no character (0, a lone surrogate, beyond U+10FFFF) becomes U+FFFD.

inline void AppendCodePoint(char32_t code, std::u16string& out) {
    if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) code = 0xFFFD;
    if (code < 0x10000) {
        out += static_cast<char16_t>(code);
        return;
    }
    code -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (code >> 10));
    out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
}
