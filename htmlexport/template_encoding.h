// The encoding of a template and of the document written from it. Templates are code
// page 932, as the diary's own files are, unless they say or show that they are UTF-8:
// most editors save UTF-8 today. The document keeps its template's encoding. Portable.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

enum class TextEncoding {
    Cp932,
    Utf8,
    Utf8WithBom,  // UTF-8 that starts with the byte order mark EF BB BF
};

// UTF-8 when the bytes start with a byte order mark, when the part before "<!for>"
// holds a <meta> element declaring charset=utf-8, or when they are valid UTF-8 with at
// least one multi-byte sequence; code page 932 otherwise.
TextEncoding DetectTemplateEncoding(std::span<const std::uint8_t> bytes);

// The template's text, without its byte order mark. Never fails: an invalid UTF-8
// sequence reads as U+FFFD.
std::u16string DecodeTemplateText(std::span<const std::uint8_t> bytes, TextEncoding encoding);

// A piece of the document in its encoding (no byte order mark; see DocumentPreamble).
// In UTF-8 an unpaired surrogate becomes U+FFFD; in code page 932 a character the page
// has not is written as a numeric character reference ("&#233;"), an unpaired surrogate
// as "?".
void AppendDocumentBytes(std::u16string_view text, TextEncoding encoding, std::vector<std::uint8_t>& out);

// What the document starts with before its text: the byte order mark when its
// template had one.
std::span<const std::uint8_t> DocumentPreamble(TextEncoding encoding);
