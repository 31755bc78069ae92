// The help page's HTML read into what the viewer shows: text with a bold flag and the
// breaks between it. Only the markup a help page needs is understood (<b>, <br>, <hr>,
// <p>, <li> inside <ul> or <ol>, <title>); every other tag is skipped and its text shown.
#pragma once

#include <string>
#include <string_view>
#include <vector>

enum class HelpPieceKind {
    Text,       // a run of text, spaces already collapsed as HTML does
    LineBreak,  // <br>: the next text starts a new line, even after an empty one
    BlockEnd,   // end of a list item or list: a new line, no longer indented
    Paragraph,  // <p>: a new line after a gap, no longer indented
    Rule,       // <hr>: a horizontal line of its own
    ListItem,   // <li>: a new line with a bullet; the item's lines are indented
};

struct HelpPiece {
    HelpPieceKind kind = HelpPieceKind::Text;
    std::u16string text;  // Text only
    bool bold = false;    // Text only
    bool operator==(const HelpPiece&) const = default;
};

struct HelpPage {
    std::u16string title;  // empty when the page has no <title>
    std::vector<HelpPiece> pieces;
};

// Never fails: markup it cannot make sense of is skipped. The text ends at the first
// NUL, which the diary writes after the page.
HelpPage ParseHelpPage(std::u16string_view html);

// The page's text without markup, one line per line break, list items with a bullet:
// what the viewer offers as its text to other programs.
std::u16string PlainTextOfHelpPage(const HelpPage& page);

constexpr char16_t kBullet = u'\u2022';
