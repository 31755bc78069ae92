#include "template_encoding.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "diarycore/codepage.h"
#include "html_fragments.h"
#include "platform/utf8.h"

namespace {

constexpr std::uint8_t kUtf8Bom[] = {0xEF, 0xBB, 0xBF};

bool StartsWithBom(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= 3 && std::equal(std::begin(kUtf8Bom), std::end(kUtf8Bom), bytes.begin());
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
    for (std::size_t at = element.find("charset"); at != std::string_view::npos; at = element.find("charset", at + 1)) {
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

}  // namespace

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
    return DecodeUtf8(bytes);
}

namespace {

// A character code page 932 has not, as a numeric character reference: the browser shows
// the character itself.
void AppendCharacterReference(std::u16string_view character, std::vector<std::uint8_t>& out) {
    char32_t code = character[0];
    if (character.size() == 2) code = 0x10000 + ((code - 0xD800) << 10) + (character[1] - 0xDC00);
    const std::string reference = "&#" + std::to_string(static_cast<std::uint32_t>(code)) + ";";
    out.insert(out.end(), reference.begin(), reference.end());
}

}  // namespace

void AppendDocumentBytes(std::u16string_view text, TextEncoding encoding, std::vector<std::uint8_t>& out) {
    if (encoding != TextEncoding::Cp932) {
        AppendUtf8(text, out);
        return;
    }
    const Cp932Text encoded = EncodeCp932(text);
    if (!encoded.replaced) {
        out.insert(out.end(), encoded.bytes.begin(), encoded.bytes.end());
        return;
    }
    // Rare: a character at a time, so each one the page has not is told apart.
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length =
            at + 1 < text.size() && IsHighSurrogate(text[at]) && IsLowSurrogate(text[at + 1]) ? 2 : 1;
        const std::u16string_view character = text.substr(at, length);
        const Cp932Text one = EncodeCp932(character);
        if (one.replaced && !(length == 1 && (IsHighSurrogate(character[0]) || IsLowSurrogate(character[0])))) {
            AppendCharacterReference(character, out);
        } else {
            out.insert(out.end(), one.bytes.begin(), one.bytes.end());
        }
        at += length;
    }
}

std::span<const std::uint8_t> DocumentPreamble(TextEncoding encoding) {
    if (encoding == TextEncoding::Utf8WithBom) return kUtf8Bom;
    return {};
}
