// The viewer's portable parts: reading broken or unusual markup, laying it out with made-up
// fonts, and finding the page's path on the command line.
#include "helpviewer/command_line.h"
#include "helpviewer/help_layout.h"
#include "helpviewer/help_page.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace {

HelpPiece T(std::u16string text) { return {HelpPieceKind::Text, std::move(text), false}; }
HelpPiece B(std::u16string text) { return {HelpPieceKind::Text, std::move(text), true}; }
const HelpPiece kBr{HelpPieceKind::LineBreak, u"", false};
const HelpPiece kEnd{HelpPieceKind::BlockEnd, u"", false};
const HelpPiece kPara{HelpPieceKind::Paragraph, u"", false};
const HelpPiece kRule{HelpPieceKind::Rule, u"", false};
const HelpPiece kItem{HelpPieceKind::ListItem, u"", false};

const std::pair<std::u16string_view, std::vector<HelpPiece>> kParseCases[] = {
    // White space collapses, and goes at the ends of lines and around breaks.
    {u"  a  \r\n\t b  ", {T(u"a b")}},
    {u"a <br> b", {T(u"a"), kBr, T(u"b")}},
    {u"a <b> b</b>", {T(u"a "), B(u"b")}},
    // Bold nests, a stray end tag is harmless, an unclosed one lasts to the end.
    {u"<b>a<b>b</b>c</b>d", {B(u"abc"), T(u"d")}},
    {u"</b>a<b>b", {T(u"a"), B(u"b")}},
    {u"<B>a</B><BR>b<Strong>c</sTrong>", {B(u"a"), kBr, T(u"b"), B(u"c")}},
    // Character references; anything not quite one is text.
    {u"&amp;&lt;&gt;&quot;&apos;x", {T(u"&<>\"'x")}},
    {u"a&nbsp;&nbsp;b &nbsp;", {T(u"a\u00A0\u00A0b \u00A0")}},
    {u"&copy; &apos &amp &lt;&#65;&#x42;&#X43;", {T(u"&copy; &apos & <ABC")}},
    {u"&#0;&#xD800;&#99999999999999;&#x1F600;", {T(u"\uFFFD\uFFFD\uFFFD\U0001F600")}},
    {u"&#;&#x;&#65&#x2d", {T(u"&#;&#x;A-")}},
    // A '<' that starts no tag, or a tag never closed, is shown.
    {u"a < b, 1<2, x<", {T(u"a < b, 1<2, x<")}},
    {u"see <b unclosed", {T(u"see <b unclosed")}},
    // Unknown tags, comments and declarations go; their text stays.
    {u"<!DOCTYPE html><body class=x>Hi<font size=3>!</font></body>", {T(u"Hi!")}},
    {u"<a title=\"x>y\" href='p>q'>link</a>", {T(u"link")}},
    {u"a<!-- <b>hidden</b> -->b</ >c", {T(u"abc")}},
    {u"<script>if (a<b) go();</script><STYLE>b{}</style>ok", {T(u"ok")}},
    {u"<title>Help", {T(u"Help")}},
    {u"<ul><li>one<li> two </li></ul>after", {kItem, T(u"one"), kItem, T(u"two"), kEnd, T(u"after")}},
    {u"text<ol><li>a</li></ol>", {T(u"text"), kItem, T(u"a")}},
    {u"<p>x</p>\r\n<p>y</p>", {T(u"x"), kPara, T(u"y")}},
    {u"x<hr><p>y<hr/>", {T(u"x"), kRule, T(u"y"), kRule}},
    // The text ends at a NUL; control characters are not shown.
    {std::u16string_view(u"a\0<b>b", 6), {T(u"a")}},
    {u"a\x01\x1B"
     "b",
     {T(u"ab")}},
};

TEST(HelpPage, ReadsMarkupAsBrowsersDo) {
    for (const auto& c : kParseCases)
        EXPECT_EQ(ParseHelpPage(c.first).pieces, c.second) << "case " << (&c - kParseCases);
    // As plain text, for the window's own text, each block is on lines of its own.
    const HelpPage page = ParseHelpPage(u"<ul><li>one<li><b>two</b></ul><p>para<hr>end<br><br>last");
    EXPECT_EQ(PlainTextOfHelpPage(page), u"\u2022 one\r\n\u2022 two\r\n\r\npara\r\nend\r\n\r\nlast");
}

// Markup never closed, many times over: each '<' costs the same, not a search of the rest.
TEST(HelpPage, ReadsUnclosedMarkupInLinearTime) {
    struct Hostile {
        std::u16string_view unit;
        std::u16string_view end;
    };
    for (const Hostile& hostile : {Hostile{u"<a", u"end"}, Hostile{u"<a b='", u"end"}, Hostile{u"<!x", u"end"},
                                   Hostile{u"<!--", u" >end"}, Hostile{u"<title>", u"end"}}) {
        SCOPED_TRACE(testing::Message() << "unit " << std::string(hostile.unit.begin(), hostile.unit.end()));
        std::u16string html;
        for (int i = 0; i < 200000; ++i) html += hostile.unit;
        html += hostile.end;
        const auto start = std::chrono::steady_clock::now();
        const HelpPage page = ParseHelpPage(html);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
        ASSERT_FALSE(page.pieces.empty());
        EXPECT_TRUE(page.pieces.back().text.ends_with(hostile.end));
    }
}

// Every character 10 pixels wide, 12 in bold.
constexpr HelpMetrics kMetrics{.lineHeight = 20, .margin = 5, .listIndent = 30, .paragraphGap = 10, .ruleHeight = 8};

int MeasureFixed(std::u16string_view text, bool bold) { return static_cast<int>(text.size()) * (bold ? 12 : 10); }

HelpLayout LayOut(std::u16string_view html, int width) {
    return LayOutHelpPage(ParseHelpPage(html), width, kMetrics, MeasureFixed);
}

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
    {u"<ul><li>one two<li></ul>x",
     80,
     {At(5, 5, u"\u2022"), At(35, 5, u"one"), At(35, 25, u"two"), At(5, 45, u"\u2022"), At(5, 65, u"x")},
     90},
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

// The diary's way and the handheld's way of starting the viewer: the command line and the page.
const std::pair<std::u16string_view, std::u16string_view> kCases[] = {
    // The diary's way: both paths quoted.
    {uR"("C:\Program Files\Diary\peghelp.exe" "C:\Program Files\Diary\DoodBind.htp")",
     uR"(C:\Program Files\Diary\DoodBind.htp)"},
    {uR"("C:\x\PEGHELP.EXE"   "C:\a\p.htp"  )", uR"(C:\a\p.htp)"},
    {uR"("C:\x\peghelp.exe" C:\a b\p.htp)", uR"(C:\a b\p.htp)"},
    {uR"("C:\x\peghelp.exe" "C:\a\p.htp)", uR"(C:\a\p.htp)"},
    {uR"(peghelp C:\a\p.htp)", uR"(C:\a\p.htp)"},
    {uR"(C:/x/peghelp.exe "C:\a b\p.htp")", uR"(C:\a b\p.htp)"},
    // The handheld's way: the page alone, spaces and all.
    {uR"(\Windows\DoodBind.htp)", uR"(\Windows\DoodBind.htp)"},
    {uR"("C:\My Diary\DoodBind.htp")", uR"(C:\My Diary\DoodBind.htp)"},
    {uR"(C:\peghelpers\page.htp)", uR"(C:\peghelpers\page.htp)"},
    // No page at all.
    {uR"("C:\x\peghelp.exe")", u""},
    {uR"("C:\x\peghelp.exe" "")", u""},
    {u"", u""},
};

TEST(HelpCommandLine, FindsThePagePath) {
    for (const auto& c : kCases) EXPECT_EQ(FindPagePath(c.first, u"peghelp.exe"), c.second) << "case " << (&c - kCases);
}

}  // namespace
