// Laying pages out with made-up fonts: every character 10 pixels wide, 12 in bold.
#include "help_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr HelpMetrics kMetrics{.lineHeight = 20, .margin = 5, .listIndent = 30, .paragraphGap = 10, .ruleHeight = 8};

int MeasureFixed(std::u16string_view text, bool bold) { return static_cast<int>(text.size()) * (bold ? 12 : 10); }

HelpLayout LayOut(std::u16string_view html, int width) { return LayOutHelpPage(ParseHelpPage(html), width, kMetrics, MeasureFixed); }

HelpFragment At(int x, int y, std::u16string text, bool bold = false) { return {x, y, std::move(text), bold}; }

struct LayoutCase {
    std::u16string_view html;
    int width;
    std::vector<HelpFragment> fragments;
    int height;
    std::vector<HelpRule> rules = {};
};

// Text starts at the margin, 5; a line is 20 high; width - 5 is the right edge.
const LayoutCase kLayoutCases[] = {
    // Words fill the line up to the right edge exactly, then wrap; spaces at a wrap go.
    {u"aaa bbb ccc", 80, {At(5, 5, u"aaa bbb"), At(5, 25, u"ccc")}, 50},
    {u"aaa    bbb", 500, {At(5, 5, u"aaa bbb")}, 30},
    // A word wider than the line is cut; however narrow, each line takes a character.
    {u"abcdefghij", 50, {At(5, 5, u"abcd"), At(5, 25, u"efgh"), At(5, 45, u"ij")}, 70},
    {u"ab", 0, {At(5, 5, u"a"), At(5, 25, u"b")}, 50},
    {u"x \U0001F600", 0, {At(5, 5, u"x"), At(5, 25, u"\U0001F600")}, 50},
    // Japanese breaks between characters, but not before "。" or after "「".
    {u"日本語です。", 50, {At(5, 5, u"日本語で"), At(5, 25, u"す。")}, 50},
    {u"あ「いう」", 30, {At(5, 5, u"あ"), At(5, 25, u"「い"), At(5, 45, u"う」")}, 70},
    // Bold text is measured in its own font.
    {u"ab <b>cd</b>e", 500, {At(5, 5, u"ab"), At(25, 5, u" cd", true), At(61, 5, u"e")}, 30},
    // Breaks, paragraphs (a 10-pixel gap) and an empty page.
    {u"a<br><br>b", 500, {At(5, 5, u"a"), At(5, 45, u"b")}, 70},
    {u"a<p>b", 500, {At(5, 5, u"a"), At(5, 35, u"b")}, 60},
    {u"", 500, {}, 10},
    // List items: a bullet at the margin, the item's lines 30 further in, until the list ends.
    {u"<ul><li>one two<li></ul>x", 80,
     {At(5, 5, u"\u2022"), At(35, 5, u"one"), At(35, 25, u"two"), At(5, 45, u"\u2022"), At(5, 65, u"x")}, 90},
    {u"<li>a<br>b</li>c", 500, {At(5, 5, u"\u2022"), At(35, 5, u"a"), At(35, 25, u"b"), At(5, 45, u"c")}, 70},
    // Rules span the width in a band of their own.
    {u"a<hr>b<hr>", 200, {At(5, 5, u"a"), At(5, 33, u"b")}, 66, {{5, 195, 29}, {5, 195, 57}}},
};

TEST(HelpLayout, WrapsAndPlacesTextAndRules) {
    for (const LayoutCase& c : kLayoutCases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - kLayoutCases));
        const HelpLayout layout = LayOut(c.html, c.width);
        EXPECT_EQ(layout.fragments, c.fragments);
        EXPECT_EQ(layout.height, c.height);
        EXPECT_EQ(layout.rules, c.rules);
    }
}

}  // namespace
