// Code page 932 through Windows' own conversion functions.
//
// WC_NO_BEST_FIT_CHARS keeps Windows from writing look-alikes (FULLWIDTH TILDE for
// WAVE DASH, "\" for YEN SIGN); lpUsedDefaultChar then tells whether any "?" went in.
// Surrogates are handled here rather than left to the system, whose answer for a pair
// (one "?" or two) has not been the same on every version.
#include "diarycore/codepage.h"

#include <windows.h>

#include <climits>

namespace {

constexpr UINT kCodePage = 932;
constexpr char kDefaultChar[] = "?";

void EncodeRun(std::u16string_view run, Cp932Text& out) {
    if (run.empty()) return;
    // A BMP character takes at most two bytes.
    const auto* wide = reinterpret_cast<const wchar_t*>(run.data());
    int length = static_cast<int>(run.size());
    std::size_t start = out.bytes.size();
    out.bytes.resize(start + run.size() * 2);
    BOOL usedDefault = FALSE;
    int written = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide, length,
                                      reinterpret_cast<char*>(out.bytes.data() + start),
                                      static_cast<int>(run.size() * 2), kDefaultChar, &usedDefault);
    out.bytes.resize(start + static_cast<std::size_t>(written > 0 ? written : 0));
    if (usedDefault || written <= 0) out.replaced = true;
}

}  // namespace

Cp932Text EncodeCp932(std::u16string_view text) {
    Cp932Text out;
    out.bytes.reserve(text.size() * 2);
    // Runs are kept well inside the int lengths the system functions take.
    constexpr std::size_t kMaxRun = INT_MAX / 4;
    std::size_t runStart = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        char16_t unit = text[i];
        if (!IsHighSurrogate(unit) && !IsLowSurrogate(unit)) {
            ++i;
            if (i - runStart == kMaxRun) {
                EncodeRun(text.substr(runStart, i - runStart), out);
                runStart = i;
            }
            continue;
        }
        EncodeRun(text.substr(runStart, i - runStart), out);
        out.bytes.push_back('?');
        out.replaced = true;
        bool pair = IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]);
        i += pair ? 2 : 1;
        runStart = i;
    }
    EncodeRun(text.substr(runStart), out);
    return out;
}

std::u16string DecodeCp932(std::span<const std::uint8_t> bytes) {
    // A record is a few kilobytes; anything past what an int can count is not text.
    if (bytes.size() > INT_MAX / 4) bytes = bytes.first(INT_MAX / 4);
    // A lead byte cut off by the end is decided here, the same way on every version.
    bool cutLeadByte = false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (IsCp932LeadByte(bytes[i])) {
            if (i + 1 == bytes.size()) cutLeadByte = true;
            ++i;
        }
    }
    if (cutLeadByte) bytes = bytes.first(bytes.size() - 1);

    std::u16string text;
    if (!bytes.empty()) {
        const auto* narrow = reinterpret_cast<const char*>(bytes.data());
        int length = static_cast<int>(bytes.size());
        int units = MultiByteToWideChar(kCodePage, 0, narrow, length, nullptr, 0);
        if (units > 0) {
            text.resize(static_cast<std::size_t>(units));
            units = MultiByteToWideChar(kCodePage, 0, narrow, length, reinterpret_cast<wchar_t*>(text.data()), units);
            text.resize(static_cast<std::size_t>(units > 0 ? units : 0));
        }
    }
    if (cutLeadByte) text += kCp932UnmappedPair;
    return text;
}
