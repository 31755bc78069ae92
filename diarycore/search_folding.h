// How the diary's search compares text: a word matches whatever the case of its Latin
// letters, whether it is typed in full-width or half-width forms, and whether its kana
// are hiragana or katakana. Both the text and the words are folded to one form first.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The folded form: ASCII, Latin-1, Greek and Cyrillic capitals in small letters;
// full-width ASCII and the ideographic space as ASCII; half-width katakana as full-width,
// a following half-width (or combining) voiced or semi-voiced mark joined to its kana;
// katakana as hiragana. Anything else is kept.
//
// `origins`, when given, receives for each unit of the result the index of the unit of
// `text` it came from, so a match in the folded text can be found in the original.
std::u16string FoldForSearch(std::u16string_view text, std::vector<std::uint32_t>* origins = nullptr);

// The query's words, folded; blanks of either width, tabs and line breaks part them.
std::vector<std::u16string> SearchWords(std::u16string_view query);
