#include "help_page.h"

#include <iterator>
#include <optional>

#include "platform/utf16.h"

namespace {

constexpr bool IsHtmlSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f'; }

constexpr bool IsAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
constexpr bool IsAsciiDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

bool StartsWithNoCase(std::u16string_view text, std::size_t pos, std::u16string_view prefix) {
    if (text.size() - pos < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (AsciiLower(text[pos + i]) != prefix[i]) return false;
    return true;
}

std::size_t FindNoCase(std::u16string_view text, std::size_t from, std::u16string_view lowerNeedle) {
    for (std::size_t pos = from; pos + lowerNeedle.size() <= text.size(); ++pos)
        if (StartsWithNoCase(text, pos, lowerNeedle)) return pos;
    return std::u16string_view::npos;
}

// ---- character references ----

struct NamedEntity {
    std::u16string_view name;
    char16_t character;
    bool needsSemicolon;  // the older names are taken without one, as browsers do
};

constexpr NamedEntity kNamedEntities[] = {
    {u"amp", u'&', false},  {u"lt", u'<', false},        {u"gt", u'>', false},
    {u"quot", u'"', false}, {u"nbsp", u'\u00A0', false}, {u"apos", u'\'', true},
};

struct CharacterReference {
    std::u16string characters;
    std::size_t length = 0;  // 0: the '&' is plain text
};

// "&#65;" or "&#x41;", the semicolon optional.
CharacterReference ReadNumericReference(std::u16string_view text, std::size_t amp) {
    std::size_t pos = amp + 2;
    bool hex = pos < text.size() && (text[pos] == u'x' || text[pos] == u'X');
    if (hex) ++pos;
    char32_t code = 0;
    std::size_t digits = 0;
    for (; pos < text.size(); ++pos, ++digits) {
        char16_t c = AsciiLower(text[pos]);
        unsigned value;
        if (IsAsciiDigit(c))
            value = c - u'0';
        else if (hex && c >= u'a' && c <= u'f')
            value = c - u'a' + 10;
        else
            break;
        // Past the last code point the value only has to stay invalid, not exact.
        code = code > 0x10FFFF ? code : code * (hex ? 16 : 10) + value;
    }
    if (digits == 0) return {};
    if (pos < text.size() && text[pos] == u';') ++pos;
    CharacterReference reference;
    AppendCodePoint(code, reference.characters);
    reference.length = pos - amp;
    return reference;
}

CharacterReference ReadCharacterReference(std::u16string_view text, std::size_t amp) {
    if (amp + 1 < text.size() && text[amp + 1] == u'#') return ReadNumericReference(text, amp);
    for (const NamedEntity& entity : kNamedEntities) {
        if (text.substr(amp + 1, entity.name.size()) != entity.name) continue;
        std::size_t end = amp + 1 + entity.name.size();
        bool semicolon = end < text.size() && text[end] == u';';
        if (semicolon || !entity.needsSemicolon) return {std::u16string(1, entity.character), end + semicolon - amp};
    }
    return {};
}

std::u16string DecodeCharacterReferences(std::u16string_view text) {
    std::u16string out;
    for (std::size_t pos = 0; pos < text.size();) {
        CharacterReference reference = text[pos] == u'&' ? ReadCharacterReference(text, pos) : CharacterReference{};
        if (reference.length == 0) {
            out += text[pos++];
        } else {
            out += reference.characters;
            pos += reference.length;
        }
    }
    return out;
}

std::u16string CollapseSpaces(std::u16string_view text) {
    std::u16string out;
    bool space = false;
    for (char16_t c : text) {
        if (IsHtmlSpace(c)) {
            space = !out.empty();
        } else {
            if (space) out += u' ';
            out += c;
            space = false;
        }
    }
    return out;
}

// ---- tags ----

struct Tag {
    std::u16string name;  // lower case; empty for comments, declarations and "</>"
    bool closing = false;
    std::size_t end = 0;  // just past the '>'
};

// The '>' that ends the tag whose name ends at `from`, skipping quoted attribute values.
std::size_t FindTagEnd(std::u16string_view text, std::size_t from) {
    char16_t quote = 0;
    bool afterEquals = false;
    for (std::size_t pos = from; pos < text.size(); ++pos) {
        char16_t c = text[pos];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == u'>') {
            return pos;
        } else if (afterEquals && (c == u'"' || c == u'\'')) {
            quote = c;
            afterEquals = false;
        } else if (c == u'=') {
            afterEquals = true;
        } else if (!IsHtmlSpace(c)) {
            afterEquals = false;
        }
    }
    // A quote left open: the first '>' ends the tag after all.
    return text.find(u'>', from);
}

// The page's text with where its last '>' and "-->" stand: a '<' after them starts no
// tag, known without searching the rest of the page again for every '<'.
struct Markup {
    explicit Markup(std::u16string_view html)
        : text(html), lastClose(html.rfind(u'>')), lastCommentClose(html.rfind(u"-->")) {}
    std::u16string_view text;
    std::size_t lastClose;
    std::size_t lastCommentClose;
};

bool FollowedBy(std::size_t pos, std::size_t last) { return last != std::u16string_view::npos && last > pos; }

// The tag at text[open] == '<', or nothing when that '<' is plain text: not followed by
// a letter, '/', '!' or '?', or never closed by a '>' (the rest of the page is shown
// rather than lost).
std::optional<Tag> ReadTag(const Markup& markup, std::size_t open) {
    std::u16string_view text = markup.text;
    std::size_t pos = open + 1;
    if (pos >= text.size() || !FollowedBy(open, markup.lastClose)) return std::nullopt;
    Tag tag;
    if (StartsWithNoCase(text, pos, u"!--")) {
        if (!FollowedBy(pos + 2, markup.lastCommentClose)) return std::nullopt;
        std::size_t close = text.find(u"-->", pos + 3);
        tag.end = close + 3;
        return tag;
    }
    if (text[pos] == u'!' || text[pos] == u'?') {
        std::size_t close = text.find(u'>', pos);
        if (close == std::u16string_view::npos) return std::nullopt;
        tag.end = close + 1;
        return tag;
    }
    if (text[pos] == u'/') {
        tag.closing = true;
        ++pos;
    }
    if (pos < text.size() && IsAsciiLetter(text[pos])) {
        while (pos < text.size() && (IsAsciiLetter(text[pos]) || IsAsciiDigit(text[pos])))
            tag.name += AsciiLower(text[pos++]);
    } else if (!tag.closing) {
        return std::nullopt;
    }
    std::size_t close = FindTagEnd(text, pos);
    if (close == std::u16string_view::npos) return std::nullopt;
    tag.end = close + 1;
    return tag;
}

// ---- building the pieces ----

class PageBuilder {
public:
    HelpPage page;

    void AddCharacter(char16_t c) {
        if (IsHtmlSpace(c)) {
            if (atLineStart_ || lastWasSpace_) return;
            c = u' ';
            lastWasSpace_ = true;
        } else if (c < 0x20) {
            return;  // other control characters have nothing to show
        } else {
            lastWasSpace_ = false;
            atLineStart_ = false;
        }
        bool bold = boldDepth_ > 0;
        if (page.pieces.empty() || page.pieces.back().kind != HelpPieceKind::Text || page.pieces.back().bold != bold)
            page.pieces.push_back({HelpPieceKind::Text, u"", bold});
        page.pieces.back().text += c;
    }

    void AddBreak(HelpPieceKind kind) {
        TrimTrailingSpace();
        if (kind != HelpPieceKind::LineBreak && LastKindIs(HelpPieceKind::BlockEnd)) page.pieces.pop_back();
        bool freshBlock =
            page.pieces.empty() || LastKindIs(HelpPieceKind::Paragraph) || LastKindIs(HelpPieceKind::Rule);
        if (!(freshBlock && (kind == HelpPieceKind::BlockEnd || kind == HelpPieceKind::Paragraph)))
            page.pieces.push_back({kind, u"", false});
        atLineStart_ = true;
    }

    void StartBold() { ++boldDepth_; }
    void EndBold() {
        if (boldDepth_ > 0) --boldDepth_;
    }

    void Finish() {
        TrimTrailingSpace();
        while (LastKindIs(HelpPieceKind::BlockEnd) || LastKindIs(HelpPieceKind::Paragraph)) page.pieces.pop_back();
    }

private:
    bool LastKindIs(HelpPieceKind kind) const { return !page.pieces.empty() && page.pieces.back().kind == kind; }

    void TrimTrailingSpace() {
        if (!LastKindIs(HelpPieceKind::Text)) return;
        std::u16string& text = page.pieces.back().text;
        if (text.back() == u' ') text.pop_back();
        if (text.empty()) page.pieces.pop_back();
    }

    int boldDepth_ = 0;
    bool atLineStart_ = true;
    bool lastWasSpace_ = false;
};

// Elements whose content is not body text; without their end tag the start tag is
// skipped like any unknown one.
constexpr std::u16string_view kTitle = u"title";
constexpr std::u16string_view kHiddenContent[] = {kTitle, u"script", u"style"};

constexpr std::size_t kNotHidden = std::size(kHiddenContent);

std::size_t FindHiddenContentName(const Tag& tag) {
    if (tag.closing) return kNotHidden;
    for (std::size_t i = 0; i < std::size(kHiddenContent); ++i)
        if (tag.name == kHiddenContent[i]) return i;
    return kNotHidden;
}

void ApplyTag(const Tag& tag, PageBuilder& builder) {
    const std::u16string& name = tag.name;
    if (name == u"b" || name == u"strong") {
        tag.closing ? builder.EndBold() : builder.StartBold();
    } else if (name == u"br") {
        builder.AddBreak(HelpPieceKind::LineBreak);  // "</br>" too, as browsers do
    } else if (name == u"hr" && !tag.closing) {
        builder.AddBreak(HelpPieceKind::Rule);
    } else if (name == u"p") {
        builder.AddBreak(HelpPieceKind::Paragraph);
    } else if (name == u"li") {
        builder.AddBreak(tag.closing ? HelpPieceKind::BlockEnd : HelpPieceKind::ListItem);
    } else if (name == u"ul" || name == u"ol") {
        builder.AddBreak(HelpPieceKind::BlockEnd);
    }
}

// Where the end tag of an element with hidden content is, remembered per name so that
// many start tags without an end tag do not search the rest of the page each time.
class EndTagFinder {
public:
    std::size_t Find(std::u16string_view text, std::size_t from, std::size_t nameIndex) {
        Search& search = searches_[nameIndex];
        bool stillValid = search.found == std::u16string_view::npos ? from >= search.from : search.found >= from;
        if (!search.done || !stillValid) {
            search = {true, from, FindNoCase(text, from, u"</" + std::u16string(kHiddenContent[nameIndex]))};
        }
        return search.found;
    }

private:
    struct Search {
        bool done = false;
        std::size_t from = 0;
        std::size_t found = std::u16string_view::npos;
    };
    Search searches_[std::size(kHiddenContent)];
};

}  // namespace

HelpPage ParseHelpPage(std::u16string_view html) {
    html = html.substr(0, html.find(u'\0'));
    const Markup markup(html);
    EndTagFinder endTags;
    PageBuilder builder;
    std::size_t pos = 0;
    while (pos < html.size()) {
        char16_t c = html[pos];
        if (c == u'&') {
            CharacterReference reference = ReadCharacterReference(html, pos);
            if (reference.length > 0) {
                for (char16_t decoded : reference.characters) builder.AddCharacter(decoded);
                pos += reference.length;
                continue;
            }
        } else if (c == u'<') {
            if (std::optional<Tag> tag = ReadTag(markup, pos)) {
                pos = tag->end;
                if (std::size_t hidden = FindHiddenContentName(*tag); hidden != kNotHidden) {
                    std::size_t contentEnd = endTags.Find(html, pos, hidden);
                    if (contentEnd != std::u16string_view::npos) {
                        if (tag->name == kTitle && builder.page.title.empty())
                            builder.page.title =
                                CollapseSpaces(DecodeCharacterReferences(html.substr(pos, contentEnd - pos)));
                        std::optional<Tag> closing = ReadTag(markup, contentEnd);
                        pos = closing ? closing->end : html.size();
                    }
                } else {
                    ApplyTag(*tag, builder);
                }
                continue;
            }
        }
        builder.AddCharacter(c);
        ++pos;
    }
    builder.Finish();
    return builder.page;
}

std::u16string PlainTextOfHelpPage(const HelpPage& page) {
    constexpr std::u16string_view kNewLine = u"\r\n";
    std::u16string out;
    bool lineUsed = false;
    auto endLine = [&] {
        if (lineUsed) out += kNewLine;
        lineUsed = false;
    };
    for (const HelpPiece& piece : page.pieces) {
        switch (piece.kind) {
        case HelpPieceKind::Text:
            out += piece.text;
            lineUsed = true;
            break;
        case HelpPieceKind::LineBreak:
            out += kNewLine;
            lineUsed = false;
            break;
        case HelpPieceKind::BlockEnd: endLine(); break;
        case HelpPieceKind::Rule: endLine(); break;
        case HelpPieceKind::Paragraph:
            endLine();
            out += kNewLine;
            break;
        case HelpPieceKind::ListItem:
            endLine();
            out += kBullet;
            out += u' ';
            lineUsed = true;
            break;
        }
    }
    while (out.ends_with(kNewLine)) out.resize(out.size() - kNewLine.size());
    return out;
}
