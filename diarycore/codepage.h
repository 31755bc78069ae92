// Text to and from code page 932 (Windows Shift-JIS), the encoding of day records.
//
// The handheld wrote its records in code page 932, so every build uses that page
// explicitly, whatever the machine's own ANSI page is, and gives the same bytes:
// Windows converts with its own table, the native build with iconv and a few fix-ups
// where iconv's table differs from Windows'.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct Cp932Text {
    std::vector<std::uint8_t> bytes;
    // Some characters have no code in the page and were written as "?". A surrogate
    // pair (one character outside the BMP, such as an emoji) becomes a single "?".
    // Look-alike substitutes are never used: U+301C WAVE DASH is "?", not the
    // FULLWIDTH TILDE that Windows would pick by best fit.
    bool replaced = false;
};

Cp932Text EncodeCp932(std::u16string_view text);

// Never fails. A byte pair with no character in the page reads as U+30FB KATAKANA
// MIDDLE DOT, as does a lead byte cut off by the end of the bytes; the unassigned
// single bytes 0x80, 0xA0 and 0xFD-0xFF read as U+0080 and U+F8F0-U+F8F3, which
// encode back to the same bytes.
std::u16string DecodeCp932(std::span<const std::uint8_t> bytes);

// First byte of a two-byte character.
constexpr bool IsCp932LeadByte(std::uint8_t first) {
    return (first >= 0x81 && first <= 0x9F) || (first >= 0xE0 && first <= 0xFC);
}

constexpr char16_t kCp932UnmappedPair = u'\u30FB';

constexpr bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
constexpr bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
