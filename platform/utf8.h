// Text between UTF-16, which the program keeps, and UTF-8, which templates, documents,
// the console and Windows' command lines in the console program are written in.
// Portable; no conversion throws.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// UTF-16 to UTF-8. An unpaired surrogate, which no UTF-8 can hold, becomes U+FFFD.
void AppendUtf8(std::u16string_view text, std::vector<std::uint8_t>& out);
std::string EncodeUtf8(std::u16string_view text);

// UTF-8 to UTF-16, leniently: each byte that starts no valid sequence reads as U+FFFD,
// so text with a stray byte is still read, one replacement for each byte; so does a NUL,
// which no text holds. A byte order mark is read as the character it is.
std::u16string DecodeUtf8(std::span<const std::uint8_t> bytes);
std::u16string DecodeUtf8(std::string_view text);

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::span<const std::uint8_t> bytes, bool& hasMultiByte);
