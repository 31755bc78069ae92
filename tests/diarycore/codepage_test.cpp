// The same expectations for iconv (native) and Windows' conversion, so both write the same files.
#include "diarycore/codepage.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

struct EncodeCase {
    std::u16string_view text;
    Bytes bytes;
    bool replaced;
};

const EncodeCase kEncode[] = {
    {u"Aa~\\", {0x41, 0x61, 0x7E, 0x5C}, false},
    {u"日記", {0x93, 0xFA, 0x8B, 0x4C}, false},
    {u"ｱ", {0xB1}, false},
    // Pairs of look-alikes: only the form in Windows' table has a code, the other is "?".
    {u"\uFF5E\u301C", {0x81, 0x60, '?'}, true},  // FULLWIDTH TILDE, WAVE DASH
    {u"\u2225\u2016", {0x81, 0x61, '?'}, true},  // PARALLEL TO, DOUBLE VERTICAL LINE
    {u"\uFF0D\u2212", {0x81, 0x7C, '?'}, true},  // FULLWIDTH HYPHEN-MINUS, MINUS SIGN
    {u"\uFFE0\u00A2", {0x81, 0x91, '?'}, true},  // FULLWIDTH CENT, CENT
    {u"\uFFE1\u00A3", {0x81, 0x92, '?'}, true},  // FULLWIDTH POUND, POUND
    {u"\uFFE2\u00AC", {0x81, 0xCA, '?'}, true},  // FULLWIDTH NOT, NOT
    {u"\uFFE4\u00A6", {0xFA, 0x55, '?'}, true},  // FULLWIDTH BROKEN BAR, BROKEN BAR
    {u"\u2015\u2014", {0x81, 0x5C, '?'}, true},  // HORIZONTAL BAR, EM DASH
    {u"\u00A5", {'?'}, true},                    // YEN SIGN is not 0x5C
    {u"\u203E", {'?'}, true},                    // OVERLINE is not 0x7E
    // Characters with two codes in the page take the one Windows writes.
    {u"\u2252", {0x81, 0xE0}, false},  // APPROXIMATELY EQUAL: JIS row, not NEC row 13
    {u"\u2160", {0x87, 0x54}, false},  // ROMAN NUMERAL ONE: NEC row 13, not IBM
    {u"\u2170", {0xFA, 0x40}, false},  // SMALL ROMAN NUMERAL ONE: IBM, not NEC-selected IBM
    // User-defined area and the unassigned single bytes, both ways.
    {u"\uE000", {0xF0, 0x40}, false},
    {u"\u0080\uF8F0\uF8F3", {0x80, 0xA0, 0xFF}, false},
    // One "?" per character outside the page, also for a surrogate pair.
    {u"a😀b", {'a', '?', 'b'}, true},
    {u"😀😀", {'?', '?'}, true},
    {u"a\xD83Dz\xDE00", {'a', '?', 'z', '?'}, true},  // unpaired halves
    {u"éa", {'?', 'a'}, true},
    {u"", {}, false},
};

TEST(CodePage932, EncodesAsWindowsTable) {
    for (const EncodeCase& c : kEncode) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - kEncode));
        const Cp932Text encoded = EncodeCp932(c.text);
        EXPECT_EQ(encoded.bytes, c.bytes);
        EXPECT_EQ(encoded.replaced, c.replaced);
    }
}

const std::pair<Bytes, std::u16string_view> kDecode[] = {
    {{0x93, 0xFA, 0x8B, 0x4C, 0x0D, 0x0A}, u"日記\r\n"},
    {{0x81, 0x60, 0x5C, 0x7E}, u"\uFF5E\\~"},
    {{0x87, 0x90, 0x81, 0xE0}, u"\u2252\u2252"},  // both codes of one character
    {{0xEE, 0xEF, 0xFA, 0x40}, u"\u2170\u2170"},
    {{0x80, 0xA0, 0xFD, 0xFE, 0xFF}, u"\u0080\uF8F0\uF8F1\uF8F2\uF8F3"},
    {{0x81, 0x7F, 'a'}, u"\u30FBa"},  // a pair with no character
    {{'a', 0x82}, u"a\u30FB"},        // a lead byte cut off by the end
    {{}, u""},
};

TEST(CodePage932, DecodesAsWindowsTable) {
    for (const auto& c : kDecode) EXPECT_EQ(DecodeCp932(c.first), c.second) << "case " << (&c - kDecode);
}

// Whatever a file holds, the text read from it is written back without loss.
TEST(CodePage932, EverythingReadCanBeWrittenBack) {
    Bytes all;
    for (std::uint8_t byte = 1; byte != 0; ++byte)
        if (!IsCp932LeadByte(byte)) all.push_back(byte);
    for (std::uint8_t lead = 0x81; lead <= 0xFC; ++lead)
        for (std::uint8_t trail = 1; trail != 0 && IsCp932LeadByte(lead); ++trail) all.insert(all.end(), {lead, trail});
    const std::u16string text = DecodeCp932(all);
    const Cp932Text again = EncodeCp932(text);
    EXPECT_FALSE(again.replaced);
    EXPECT_EQ(DecodeCp932(again.bytes), text);
}

}  // namespace
