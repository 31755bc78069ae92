#include "diarycore/search_folding.h"

#include <iterator>

namespace {

// Half-width katakana U+FF61-U+FF9F as their full-width forms, the two marks included.
constexpr char16_t kFullWidthKana[] = {
    u'。', u'「', u'」', u'、', u'・', u'ヲ', u'ァ', u'ィ', u'ゥ', u'ェ', u'ォ', u'ャ', u'ュ', u'ョ', u'ッ', u'ー',
    u'ア', u'イ', u'ウ', u'エ', u'オ', u'カ', u'キ', u'ク', u'ケ', u'コ', u'サ', u'シ', u'ス', u'セ', u'ソ', u'タ',
    u'チ', u'ツ', u'テ', u'ト', u'ナ', u'ニ', u'ヌ', u'ネ', u'ノ', u'ハ', u'ヒ', u'フ', u'ヘ', u'ホ', u'マ', u'ミ',
    u'ム', u'メ', u'モ', u'ヤ', u'ユ', u'ヨ', u'ラ', u'リ', u'ル', u'レ', u'ロ', u'ワ', u'ン', u'゛', u'゜',
};
static_assert(std::size(kFullWidthKana) == 0xFF9F - 0xFF61 + 1);

bool IsVoicedMark(char16_t c) { return c == u'\uFF9E' || c == u'\u3099'; }
bool IsSemiVoicedMark(char16_t c) { return c == u'\uFF9F' || c == u'\u309A'; }

// The hiragana with the mark (the text is folded before its marks are joined), or 0
// when the kana takes none.
char16_t WithMark(char16_t kana, bool semiVoiced) {
    const bool haRow = kana >= u'は' && kana <= u'ほ' && (kana - u'は') % 3 == 0;
    if (semiVoiced) return haRow ? static_cast<char16_t>(kana + 2) : 0;
    const bool kaToChi = kana >= u'か' && kana <= u'ち' && (kana - u'か') % 2 == 0;
    const bool tsuToTo = kana == u'つ' || kana == u'て' || kana == u'と';
    if (kaToChi || tsuToTo || haRow || kana == u'ゝ') return static_cast<char16_t>(kana + 1);
    if (kana == u'う') return u'ゔ';
    return 0;
}

char16_t FoldUnit(char16_t c) {
    if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 0x20);
    if (c >= 0xFF01 && c <= 0xFF5E) return FoldUnit(static_cast<char16_t>(c - 0xFF01 + 0x21));
    if (c == 0x3000) return u' ';
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<char16_t>(c + 0x20);
    if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return static_cast<char16_t>(c + 0x20);  // Greek
    if (c >= 0x410 && c <= 0x42F) return static_cast<char16_t>(c + 0x20);                // Cyrillic
    if (c == 0x401) return 0x451;                                                        // Ё
    if (c >= 0xFF61 && c <= 0xFF9F) return FoldUnit(kFullWidthKana[c - 0xFF61]);
    if (c >= 0x30A1 && c <= 0x30F6) return static_cast<char16_t>(c - 0x60);  // katakana
    if (c == 0x30FD || c == 0x30FE) return static_cast<char16_t>(c - 0x60);  // ヽ ヾ
    return c;
}

}  // namespace

std::u16string FoldForSearch(std::u16string_view text, std::vector<std::uint32_t>* origins) {
    std::u16string folded;
    folded.reserve(text.size());
    if (origins) {
        origins->clear();
        origins->reserve(text.size());
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const bool voiced = IsVoicedMark(c), semiVoiced = IsSemiVoicedMark(c);
        if ((voiced || semiVoiced) && !folded.empty()) {
            if (char16_t marked = WithMark(folded.back(), semiVoiced)) {
                folded.back() = marked;
                continue;
            }
        }
        folded.push_back(c == u'\u3099' ? u'゛' : c == u'\u309A' ? u'゜' : FoldUnit(c));
        if (origins) origins->push_back(static_cast<std::uint32_t>(i));
    }
    return folded;
}

std::vector<std::u16string> SearchWords(std::u16string_view query) {
    std::vector<std::u16string> words;
    const std::u16string folded = FoldForSearch(query);
    std::size_t at = 0;
    while (at < folded.size()) {
        const std::size_t start = folded.find_first_not_of(u" \t\r\n", at);
        if (start == std::u16string::npos) break;
        std::size_t end = folded.find_first_of(u" \t\r\n", start);
        if (end == std::u16string::npos) end = folded.size();
        words.push_back(folded.substr(start, end - start));
        at = end;
    }
    return words;
}
