// UTF-8 both ways: every character survives the trip, and what is no UTF-8 (or UTF-16)
// comes through as U+FFFD, never as a wrong character.
#include <gtest/gtest.h>

#include "platform/utf8.h"

namespace {

std::span<const std::uint8_t> Bytes(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

}  // namespace

TEST(Utf8, EveryCharacterMakesTheRoundTrip) {
    std::u16string all;
    for (char32_t c = 1; c <= 0x10FFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) continue;
        if (c < 0x10000) {
            all += static_cast<char16_t>(c);
        } else {
            all += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            all += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        }
    }
    const std::string utf8 = EncodeUtf8(all);
    bool hasMultiByte = false;
    EXPECT_TRUE(IsValidUtf8(Bytes(utf8), hasMultiByte));
    EXPECT_TRUE(hasMultiByte);
    EXPECT_TRUE(DecodeUtf8(utf8) == all);

    EXPECT_EQ(EncodeUtf8(u"a\u00E9\u65E5\U0001F600\U0010FFFF"),
              "a\xC3\xA9\xE6\x97\xA5\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF");
    EXPECT_TRUE(IsValidUtf8(Bytes("plain ASCII"), hasMultiByte));
    EXPECT_FALSE(hasMultiByte);
}

TEST(Utf8, BrokenSequencesAndLoneSurrogatesBecomeReplacementCharacters) {
    struct Case {
        const char* name;
        std::string_view bytes;
        std::u16string_view text;
    };
    const Case cases[] = {
        {"a stray continuation byte", "a\x80z", u"a\uFFFDz"},
        {"a byte no sequence starts with", "\xFF\xFE", u"\uFFFD\uFFFD"},
        {"an overlong slash", "\xC0\xAF", u"\uFFFD\uFFFD"},
        {"an overlong three-byte form", "\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"},
        {"a surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"a sequence cut off by the end", "\xE6\x97", u"\uFFFD\uFFFD"},
        {"a sequence cut off by a new one", "\xE6\x97\xE6\x97\xA5", u"\uFFFD\uFFFD\u65E5"},
    };
    for (const Case& c : cases) {
        bool hasMultiByte = false;
        EXPECT_FALSE(IsValidUtf8(Bytes(c.bytes), hasMultiByte)) << c.name;
        EXPECT_TRUE(DecodeUtf8(c.bytes) == c.text) << c.name;
    }
    // A byte order mark is a character like any other here.
    EXPECT_TRUE(DecodeUtf8("\xEF\xBB\xBFx") == u"\uFEFFx");

    // Unpaired surrogates, alone, at the end and in the wrong order.
    EXPECT_EQ(EncodeUtf8(u"\xD800x\xDC00y\xDE00\xD83D"), "\xEF\xBF\xBDx\xEF\xBF\xBDy\xEF\xBF\xBD\xEF\xBF\xBD");
}
