// Reading help pages: markup that is broken or unusual. The diary's own page, as the
// viewer shows it: HelpViewer.ShowsAndDrawsThePageItIsStartedOn.
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

struct ParseCase {
    std::u16string_view html;
    std::vector<HelpPiece> pieces;
};

const ParseCase kParseCases[] = {
    // White space collapses, and goes at the ends of lines and around breaks.
    {u"  a  \r\n\t b  ", {T(u"a b")}},
    {u"a <br> b", {T(u"a"), kBr, T(u"b")}},
    {u"a<br><br>b", {T(u"a"), kBr, kBr, T(u"b")}},
    {u"a <b> b</b>", {T(u"a "), B(u"b")}},
    {u"", {}},
    {u"<html>\r\n <head></head>\r\n</html>\r\n", {}},
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
    {u"a<!-- b", {T(u"a<!-- b")}},
    // Unknown tags, comments and declarations go; their text stays.
    {u"<!DOCTYPE html><body class=x>Hi<font size=3>!</font></body>", {T(u"Hi!")}},
    {u"<a title=\"x>y\" href='p>q'>link</a>", {T(u"link")}},
    {u"<a title=\"open>after", {T(u"after")}},
    {u"a<!-- <b>hidden</b> -->b</ >c", {T(u"abc")}},
    {u"<script>if (a<b) go();</script><STYLE>b{}</style>ok", {T(u"ok")}},
    {u"<title>Help", {T(u"Help")}},
    // Blocks.
    {u"<ul><li>one<li> two </li></ul>after", {kItem, T(u"one"), kItem, T(u"two"), kEnd, T(u"after")}},
    {u"text<ol><li>a</li></ol>", {T(u"text"), kItem, T(u"a")}},
    {u"<p>x</p>\r\n<p>y</p>", {T(u"x"), kPara, T(u"y")}},
    {u"x<hr><p>y<hr/>", {T(u"x"), kRule, T(u"y"), kRule}},
    // The text ends at a NUL; control characters are not shown.
    {std::u16string_view(u"a\0<b>b", 6), {T(u"a")}},
    {u"a\x01\x1B""b", {T(u"ab")}},
};

TEST(HelpPage, ReadsMarkupAsBrowsersDo) {
    for (const ParseCase& c : kParseCases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - kParseCases));
        EXPECT_EQ(ParseHelpPage(c.html).pieces, c.pieces);
    }
}

// Markup that is never closed, many times over: each '<' must cost the same, not a
// search of the whole rest of the page (which would take hours at this size).
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

TEST(HelpPage, TakesTheFirstTitleAndPutsBlocksOnLinesOfTheirOwn) {
    const HelpPage titled = ParseHelpPage(u"<TITLE>\r\n My &amp; <i>Help</i> </Title><title>Other</title>Body");
    EXPECT_EQ(titled.title, u"My & <i>Help</i>");
    EXPECT_EQ(titled.pieces, std::vector<HelpPiece>{T(u"Body")});

    const HelpPage page = ParseHelpPage(u"<ul><li>one<li><b>two</b></ul><p>para<hr>end<br><br>last");
    EXPECT_EQ(PlainTextOfHelpPage(page), u"\u2022 one\r\n\u2022 two\r\n\r\npara\r\nend\r\n\r\nlast");
}

}  // namespace
