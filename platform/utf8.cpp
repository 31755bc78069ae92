#include "utf8.h"

#include "utf16.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

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
    if ((lead & 0xE0) == 0xC0)
        length = 2, point = lead & 0x1F, least = 0x80;
    else if ((lead & 0xF0) == 0xE0)
        length = 3, point = lead & 0x0F, least = 0x800;
    else if ((lead & 0xF8) == 0xF0)
        length = 4, point = lead & 0x07, least = 0x10000;
    else
        return {};
    if (bytes.size() - at < length) return {};
    for (std::size_t i = 1; i < length; ++i) {
        const std::uint8_t next = bytes[at + i];
        if ((next & 0xC0) != 0x80) return {};
        point = (point << 6) | (next & 0x3F);
    }
    if (point < least || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) return {};
    return {point, length};
}

template <typename Bytes>
void AppendSequence(char32_t point, Bytes& out) {
    using Byte = typename Bytes::value_type;
    if (point < 0x80) {
        out.push_back(static_cast<Byte>(point));
    } else if (point < 0x800) {
        out.push_back(static_cast<Byte>(0xC0 | (point >> 6)));
        out.push_back(static_cast<Byte>(0x80 | (point & 0x3F)));
    } else if (point < 0x10000) {
        out.push_back(static_cast<Byte>(0xE0 | (point >> 12)));
        out.push_back(static_cast<Byte>(0x80 | ((point >> 6) & 0x3F)));
        out.push_back(static_cast<Byte>(0x80 | (point & 0x3F)));
    } else {
        out.push_back(static_cast<Byte>(0xF0 | (point >> 18)));
        out.push_back(static_cast<Byte>(0x80 | ((point >> 12) & 0x3F)));
        out.push_back(static_cast<Byte>(0x80 | ((point >> 6) & 0x3F)));
        out.push_back(static_cast<Byte>(0x80 | (point & 0x3F)));
    }
}

bool IsHigh(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLow(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

template <typename Bytes>
void AppendText(std::u16string_view text, Bytes& out) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        char32_t point = unit;
        if (IsHigh(unit) && i + 1 < text.size() && IsLow(text[i + 1])) {
            point = 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (IsHigh(unit) || IsLow(unit)) {
            point = kReplacement;
        }
        AppendSequence(point, out);
    }
}

}  // namespace

void AppendUtf8(std::u16string_view text, std::vector<std::uint8_t>& out) { AppendText(text, out); }

std::string EncodeUtf8(std::u16string_view text) {
    std::string utf8;
    utf8.reserve(text.size());
    AppendText(text, utf8);
    return utf8;
}

std::u16string DecodeUtf8(std::span<const std::uint8_t> bytes) {
    std::u16string text;
    text.reserve(bytes.size());
    for (std::size_t at = 0; at < bytes.size();) {
        const Sequence sequence = ReadSequence(bytes, at);
        AppendCodePoint(sequence.length ? sequence.point : kReplacement, text);
        at += sequence.length ? sequence.length : 1;
    }
    return text;
}

std::u16string DecodeUtf8(std::string_view text) {
    return DecodeUtf8(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

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
