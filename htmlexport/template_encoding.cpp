#include "template_encoding.h"

#include <algorithm>
#include <cctype>

#include "diary/codepage.h"
#include "html_fragments.h"
#include "platform/utf16.h"

namespace {

constexpr std::uint8_t kUtf8Bom[] = {0xEF, 0xBB, 0xBF};
constexpr char32_t kReplacement = 0xFFFD;

bool StartsWithBom(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= 3 && std::equal(std::begin(kUtf8Bom), std::end(kUtf8Bom), bytes.begin());
}

// One UTF-8 sequence at bytes[at]: its code point and length, or length 0 when it is
// not a valid sequence.
struct Sequence {
    char32_t point = 0;
    std::size_t length = 0;
};

Sequence ReadSequence(std::span<const std::uint8_t> bytes, std::size_t at) {
    const std::uint8_t lead = bytes[at];
    if (lead < 0x80) return {lead, 1};
    std::size_t length = 0;
    char32_t point = 0;
    char32_t least = 0;
    if ((lead & 0xE0) == 0xC0) length = 2, point = lead & 0x1F, least = 0x80;
    else if ((lead & 0xF0) == 0xE0) length = 3, point = lead & 0x0F, least = 0x800;
    else if ((lead & 0xF8) == 0xF0) length = 4, point = lead & 0x07, least = 0x10000;
    else return {};
    if (bytes.size() - at < length) return {};
    for (std::size_t i = 1; i < length; ++i) {
        const std::uint8_t next = bytes[at + i];
        if ((next & 0xC0) != 0x80) return {};
        point = (point << 6) | (next & 0x3F);
    }
    if (point < least || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) return {};
    return {point, length};
}

char AsciiLower(std::uint8_t byte) { return static_cast<char>(std::tolower(byte)); }

// The text before "<!for>", lower-cased in its ASCII letters: meta elements are
// matched in it.
std::string LowerHead(std::span<const std::uint8_t> bytes) {
    const auto end = std::search(bytes.begin(), bytes.end(), kForTag.begin(), kForTag.end(),
                                 [](std::uint8_t byte, char16_t unit) { return byte == unit; });
    std::string head(static_cast<std::size_t>(end - bytes.begin()), '\0');
    std::transform(bytes.begin(), end, head.begin(), AsciiLower);
    return head;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

// "charset", blanks, "=", blanks, an optional quote, "utf-8" (or "utf8") somewhere in
// one element's text: both the charset attribute and an http-equiv content say it so.
bool DeclaresUtf8(std::string_view element) {
    for (std::size_t at = element.find("charset"); at != std::string_view::npos;
         at = element.find("charset", at + 1)) {
        std::size_t i = at + 7;
        while (i < element.size() && IsBlank(element[i])) ++i;
        if (i >= element.size() || element[i] != '=') continue;
        ++i;
        while (i < element.size() && IsBlank(element[i])) ++i;
        if (i < element.size() && (element[i] == '"' || element[i] == '\'')) ++i;
        const std::string_view value = element.substr(i);
        if (value.starts_with("utf-8") || value.starts_with("utf8")) return true;
    }
    return false;
}

bool HeadDeclaresUtf8(std::span<const std::uint8_t> bytes) {
    const std::string head = LowerHead(bytes);
    for (std::size_t at = head.find("<meta"); at != std::string::npos; at = head.find("<meta", at + 1)) {
        const std::size_t end = head.find('>', at);
        const std::string_view element = std::string_view(head).substr(at, end == std::string::npos ? end : end - at);
        if (DeclaresUtf8(element)) return true;
    }
    return false;
}

void AppendUtf8(char32_t point, std::vector<std::uint8_t>& out) {
    if (point < 0x80) {
        out.push_back(static_cast<std::uint8_t>(point));
    } else if (point < 0x800) {
        out.push_back(static_cast<std::uint8_t>(0xC0 | (point >> 6)));
        out.push_back(static_cast<std::uint8_t>(0x80 | (point & 0x3F)));
    } else if (point < 0x10000) {
        out.push_back(static_cast<std::uint8_t>(0xE0 | (point >> 12)));
        out.push_back(static_cast<std::uint8_t>(0x80 | ((point >> 6) & 0x3F)));
        out.push_back(static_cast<std::uint8_t>(0x80 | (point & 0x3F)));
    } else {
        out.push_back(static_cast<std::uint8_t>(0xF0 | (point >> 18)));
        out.push_back(static_cast<std::uint8_t>(0x80 | ((point >> 12) & 0x3F)));
        out.push_back(static_cast<std::uint8_t>(0x80 | ((point >> 6) & 0x3F)));
        out.push_back(static_cast<std::uint8_t>(0x80 | (point & 0x3F)));
    }
}

}  // namespace

bool IsValidUtf8(std::span<const std::uint8_t> bytes, bool& hasMultiByte) {
    hasMultiByte = false;
    for (std::size_t at = 0; at < bytes.size();) {
        const Sequence sequence = ReadSequence(bytes, at);
        if (sequence.length == 0) return false;
        hasMultiByte = hasMultiByte || sequence.length > 1;
        at += sequence.length;
    }
    return true;
}

TextEncoding DetectTemplateEncoding(std::span<const std::uint8_t> bytes) {
    if (StartsWithBom(bytes)) return TextEncoding::Utf8WithBom;
    if (HeadDeclaresUtf8(bytes)) return TextEncoding::Utf8;
    bool hasMultiByte = false;
    if (IsValidUtf8(bytes, hasMultiByte) && hasMultiByte) return TextEncoding::Utf8;
    return TextEncoding::Cp932;
}

std::u16string DecodeTemplateText(std::span<const std::uint8_t> bytes, TextEncoding encoding) {
    if (encoding == TextEncoding::Cp932) return DecodeCp932(bytes);
    if (StartsWithBom(bytes)) bytes = bytes.subspan(3);
    std::u16string text;
    text.reserve(bytes.size());
    for (std::size_t at = 0; at < bytes.size();) {
        const Sequence sequence = ReadSequence(bytes, at);
        AppendCodePoint(sequence.length ? sequence.point : kReplacement, text);
        at += sequence.length ? sequence.length : 1;
    }
    return text;
}

void AppendDocumentBytes(std::u16string_view text, TextEncoding encoding, std::vector<std::uint8_t>& out) {
    if (encoding == TextEncoding::Cp932) {
        const Cp932Text encoded = EncodeCp932(text);
        out.insert(out.end(), encoded.bytes.begin(), encoded.bytes.end());
        return;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        char32_t point = unit;
        if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            point = 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            point = kReplacement;
        }
        AppendUtf8(point, out);
    }
}

std::span<const std::uint8_t> DocumentPreamble(TextEncoding encoding) {
    if (encoding == TextEncoding::Utf8WithBom) return kUtf8Bom;
    return {};
}
