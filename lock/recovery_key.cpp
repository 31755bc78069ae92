#include "lock/recovery_key.h"

namespace {

constexpr std::string_view kAlphabet = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";
constexpr std::size_t kSymbols = kRecoveryKeyBytes * 8 / 5;
constexpr std::size_t kGroup = 4;

// The symbol's value, or -1 for a character to skip (blanks, dashes), or -2 for one that
// is no symbol.
int SymbolValue(char32_t c) {
    if (c == ' ' || c == '-' || c == '\t' || c == 0x3000) return -1;  // 0x3000: the ideographic space
    if (c >= 'a' && c <= 'z') c -= 'a' - 'A';
    if (c == 'I' || c == 'L') c = '1';
    if (c == 'O') c = '0';
    if (c >= 0x80) return -2;
    const auto at = kAlphabet.find(static_cast<char>(c));
    return at != std::string_view::npos ? static_cast<int>(at) : -2;
}

// The next character of UTF-8 text, with the full-width forms of ASCII (U+FF01 to U+FF5E)
// taken as ASCII. Other characters come back as themselves or as a value that is no symbol.
char32_t NextCharacter(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if (at + length > text.size()) length = text.size() - at;
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) c = c << 6 | (static_cast<unsigned char>(text[at + i]) & 0x3F);
    at += length;
    if (c >= 0xFF01 && c <= 0xFF5E) c -= 0xFEE0;
    return c;
}

}  // namespace

std::string RecoveryKeyText(const RecoveryKey& key) {
    std::string text;
    unsigned bits = 0;
    unsigned pending = 0;
    std::size_t symbols = 0;
    for (std::uint8_t byte : key.Bytes()) {
        pending = (pending << 8 | byte) & 0xFFF;  // never more than 12 bits are waiting
        bits += 8;
        while (bits >= 5) {
            if (symbols > 0 && symbols % kGroup == 0) text += '-';
            text += kAlphabet[(pending >> (bits - 5)) & 31];
            bits -= 5;
            ++symbols;
        }
    }
    return text;
}

std::optional<RecoveryKey> ParseRecoveryKey(std::string_view text) {
    RecoveryKey key;
    std::size_t symbols = 0;
    unsigned pending = 0;
    unsigned bits = 0;
    std::size_t filled = 0;
    for (std::size_t at = 0; at < text.size();) {
        const int value = SymbolValue(NextCharacter(text, at));
        if (value == -1) continue;
        if (value < 0 || ++symbols > kSymbols) return std::nullopt;
        pending = (pending << 5 | static_cast<unsigned>(value)) & 0xFFF;  // never more than 12 bits are waiting
        bits += 5;
        if (bits >= 8) {
            key.Bytes()[filled++] = static_cast<std::uint8_t>(pending >> (bits - 8));
            bits -= 8;
        }
    }
    if (symbols != kSymbols) return std::nullopt;
    return key;
}
