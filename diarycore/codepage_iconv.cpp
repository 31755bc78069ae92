// Code page 932 through glibc's iconv "CP932", corrected to Windows' table.
//
// Where the two tables disagree, Windows decides (the files must match the
// handheld's). Measured over every BMP character and every byte pair:
// - iconv maps some characters that Windows has no code for: it takes the Unicode
//   originals of characters Windows encodes only from their fullwidth or alternate
//   forms (U+301C, U+2016, U+2212, U+00A2, U+00A3, U+00AC, U+2014) and YEN SIGN
//   and OVERLINE to 0x5C and 0x7E. Windows writes "?" for all of them.
// - Windows gives the unassigned single bytes 0x80, 0xA0, 0xFD, 0xFE, 0xFF
//   characters of their own (U+0080, U+F8F0-U+F8F3) both ways; iconv rejects them.
// - Byte pairs without a character: iconv stops, Windows reads U+30FB.
// Every other character and byte pair converts the same way in both.
#include "diarycore/codepage.h"

#include <iconv.h>

#include <cerrno>
#include <cstddef>

namespace {

struct Override {
    char16_t character;
    int byte;  // -1: no code in Windows' table
};

constexpr Override kWindowsOverrides[] = {
    {u'\u0080', 0x80}, {u'\uF8F0', 0xA0}, {u'\uF8F1', 0xFD}, {u'\uF8F2', 0xFE}, {u'\uF8F3', 0xFF},
    {u'\u00A2', -1},   {u'\u00A3', -1},   {u'\u00A5', -1},   {u'\u00AC', -1},   {u'\u2014', -1},
    {u'\u2016', -1},   {u'\u203E', -1},   {u'\u2212', -1},   {u'\u301C', -1},
};

const Override* FindOverride(char16_t unit) {
    for (const Override& entry : kWindowsOverrides)
        if (entry.character == unit) return &entry;
    return nullptr;
}

// One iconv descriptor per conversion call, closed on every path.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (Ok()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool Ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts as much of [in, in + inLength) as it can, appending to out. Returns how
    // many input bytes were used; fewer than inLength means the next input is invalid.
    template <typename Unit>
    std::size_t Convert(const char* in, std::size_t inLength, std::vector<Unit>& out) {
        char* inPtr = const_cast<char*>(in);
        std::size_t inLeft = inLength;
        char buffer[4096];
        while (inLeft > 0) {
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            std::size_t result = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
            int error = errno;
            Append(buffer, outPtr, out);
            if (result == static_cast<std::size_t>(-1) && error != E2BIG) break;
        }
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        return inLength - inLeft;
    }

private:
    static void Append(const char* begin, const char* end, std::vector<std::uint8_t>& out) {
        out.insert(out.end(), begin, end);
    }
    // UTF-16LE output, put together byte by byte so the host's byte order does not matter.
    static void Append(const char* begin, const char* end, std::vector<char16_t>& out) {
        for (const char* p = begin; p + 1 < end; p += 2)
            out.push_back(
                static_cast<char16_t>(static_cast<std::uint8_t>(p[0]) | (static_cast<std::uint8_t>(p[1]) << 8)));
    }

    iconv_t cd_;
};

// Encodes a run of BMP characters that need no correction; a character iconv
// cannot encode becomes "?".
void EncodeRun(Converter& converter, std::u16string_view run, Cp932Text& out) {
    std::vector<char> utf16le;
    utf16le.reserve(run.size() * 2);
    for (char16_t unit : run) {
        utf16le.push_back(static_cast<char>(unit & 0xFF));
        utf16le.push_back(static_cast<char>(unit >> 8));
    }
    std::size_t done = 0;
    while (done < utf16le.size()) {
        done += converter.Convert(utf16le.data() + done, utf16le.size() - done, out.bytes);
        if (done < utf16le.size()) {
            out.bytes.push_back('?');
            out.replaced = true;
            done += 2;
        }
    }
}

char16_t DecodeRejectedSingleByte(std::uint8_t byte) {
    switch (byte) {
    case 0x80: return u'\u0080';
    case 0xA0: return u'\uF8F0';
    case 0xFD: return u'\uF8F1';
    case 0xFE: return u'\uF8F2';
    case 0xFF: return u'\uF8F3';
    default: return kCp932UnmappedPair;
    }
}

}  // namespace

Cp932Text EncodeCp932(std::u16string_view text) {
    Cp932Text out;
    out.bytes.reserve(text.size() * 2);
    Converter converter("CP932", "UTF-16LE");
    if (!converter.Ok()) {
        // No CP932 module in this C library: every non-ASCII character is lost, and
        // the caller hears about it.
        for (char16_t unit : text) {
            out.bytes.push_back(unit < 0x80 ? static_cast<std::uint8_t>(unit) : '?');
            out.replaced |= unit >= 0x80;
        }
        return out;
    }
    std::size_t runStart = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        char16_t unit = text[i];
        const Override* override = FindOverride(unit);
        if (!override && !IsHighSurrogate(unit) && !IsLowSurrogate(unit)) {
            ++i;
            continue;
        }
        EncodeRun(converter, text.substr(runStart, i - runStart), out);
        if (override && override->byte >= 0) {
            out.bytes.push_back(static_cast<std::uint8_t>(override->byte));
            i += 1;
        } else {
            out.bytes.push_back('?');
            out.replaced = true;
            bool pair = IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]);
            i += pair ? 2 : 1;
        }
        runStart = i;
    }
    EncodeRun(converter, text.substr(runStart), out);
    return out;
}

std::u16string DecodeCp932(std::span<const std::uint8_t> bytes) {
    std::vector<char16_t> units;
    units.reserve(bytes.size());
    Converter converter("UTF-16LE", "CP932");
    std::size_t done = 0;
    while (done < bytes.size()) {
        if (converter.Ok())
            done += converter.Convert(reinterpret_cast<const char*>(bytes.data()) + done, bytes.size() - done, units);
        if (done == bytes.size()) break;
        std::uint8_t byte = bytes[done];
        if (IsCp932LeadByte(byte)) {
            units.push_back(kCp932UnmappedPair);
            done += done + 1 < bytes.size() ? 2 : 1;
        } else if (byte < 0x80) {
            units.push_back(byte);  // only without a converter
            done += 1;
        } else {
            units.push_back(DecodeRejectedSingleByte(byte));
            done += 1;
        }
    }
    return std::u16string(units.begin(), units.end());
}
