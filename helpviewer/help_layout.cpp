#include "help_layout.h"

#include <algorithm>

namespace {

struct CharacterRange {
    char16_t first;
    char16_t last;
};

// Scripts written without spaces, where a line may break between any two characters.
constexpr CharacterRange kWideRanges[] = {
    {u'\u1100', u'\u115F'}, {u'\u2E80', u'\uA4CF'}, {u'\uAC00', u'\uD7A3'}, {u'\uF900', u'\uFAFF'},
    {u'\uFE30', u'\uFE4F'}, {u'\uFF00', u'\uFF60'}, {u'\uFFE0', u'\uFFE6'},
};
// Japanese line-breaking rules: these never start a line...
constexpr std::u16string_view kNoLineStart = u"、。，．）」』】〕〉》！？：；ー・ぁぃぅぇぉっゃゅょァィゥェォッャュョ";
// ...and these never end one.
constexpr std::u16string_view kNoLineEnd = u"（「『【〔〈《";

bool IsWide(char16_t c) {
    return std::any_of(std::begin(kWideRanges), std::end(kWideRanges),
                       [c](const CharacterRange& range) { return c >= range.first && c <= range.last; });
}

bool CanBreakBetween(char16_t before, char16_t after) {
    if (!IsWide(before) && !IsWide(after)) return false;
    return kNoLineStart.find(after) == std::u16string_view::npos &&
           kNoLineEnd.find(before) == std::u16string_view::npos;
}

constexpr bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

class Layouter {
public:
    Layouter(int width, const HelpMetrics& metrics, const MeasureHelpText& measure)
        : width_(width), metrics_(metrics), measure_(measure), x_(metrics.margin), y_(metrics.margin) {}

    void AddText(std::u16string_view text, bool bold) {
        std::size_t pos = 0;
        while (pos < text.size()) {
            if (text[pos] == u' ') {
                spacePending_ = true;
                ++pos;
                continue;
            }
            std::size_t end = pos + 1;
            while (end < text.size() && text[end] != u' ' && !CanBreakBetween(text[end - 1], text[end])) ++end;
            AddWord(text.substr(pos, end - pos), bold);
            pos = end;
        }
    }

    void BreakLine() {
        y_ += metrics_.lineHeight;
        x_ = LineLeft();
        lineUsed_ = false;
        spacePending_ = false;
        mergeable_ = false;
    }

    // A new block: a fresh line, not indented.
    void EndBlock() {
        if (lineUsed_) BreakLine();
        indent_ = 0;
        x_ = LineLeft();
        spacePending_ = false;
    }

    void StartParagraph() {
        EndBlock();
        y_ += metrics_.paragraphGap;
    }

    void AddRule() {
        EndBlock();
        int right = std::max(width_ - metrics_.margin, metrics_.margin + 1);
        layout_.rules.push_back({metrics_.margin, right, y_ + metrics_.ruleHeight / 2});
        y_ += metrics_.ruleHeight;
    }

    void StartListItem() {
        EndBlock();
        layout_.fragments.push_back({metrics_.margin, y_, std::u16string(1, kBullet), false});
        indent_ = metrics_.listIndent;
        x_ = LineLeft();
        lineUsed_ = true;
        mergeable_ = false;
    }

    HelpLayout Finish() {
        layout_.height = y_ + (lineUsed_ ? metrics_.lineHeight : 0) + metrics_.margin;
        return std::move(layout_);
    }

private:
    int LineLeft() const { return metrics_.margin + indent_; }
    int LineRight() const { return width_ - metrics_.margin; }
    bool LineHasText() const { return x_ > LineLeft(); }

    void AddWord(std::u16string_view word, bool bold) {
        int wordWidth = measure_(word, bold);
        if (spacePending_ && LineHasText()) {
            int spaceWidth = measure_(u" ", bold);
            if (x_ + spaceWidth + wordWidth > LineRight()) {
                BreakLine();
            } else {
                Place(u" ", bold, spaceWidth);
            }
        } else if (LineHasText() && x_ + wordWidth > LineRight()) {
            BreakLine();
        }
        spacePending_ = false;
        // A word wider than a whole line is cut where the line ends.
        while (x_ + wordWidth > LineRight()) {
            std::size_t fits = LongestFittingPrefix(word, bold);
            if (fits == word.size()) break;
            Place(word.substr(0, fits), bold, measure_(word.substr(0, fits), bold));
            BreakLine();
            word = word.substr(fits);
            wordWidth = measure_(word, bold);
        }
        Place(word, bold, wordWidth);
    }

    // At least one character (a surrogate pair is one), however narrow the line.
    std::size_t LongestFittingPrefix(std::u16string_view word, bool bold) const {
        auto characterLength = [&](std::size_t at) {
            return IsHighSurrogate(word[at]) && at + 1 < word.size() ? 2 : 1;
        };
        std::size_t fits = characterLength(0);
        while (fits < word.size()) {
            std::size_t next = fits + characterLength(fits);
            if (x_ + measure_(word.substr(0, next), bold) > LineRight()) break;
            fits = next;
        }
        return fits;
    }

    void Place(std::u16string_view text, bool bold, int textWidth) {
        if (mergeable_ && layout_.fragments.back().bold == bold) {
            layout_.fragments.back().text += text;
        } else {
            layout_.fragments.push_back({x_, y_, std::u16string(text), bold});
        }
        mergeable_ = true;
        x_ += textWidth;
        lineUsed_ = true;
    }

    int width_;
    const HelpMetrics& metrics_;
    const MeasureHelpText& measure_;
    HelpLayout layout_;
    int x_;
    int y_;
    int indent_ = 0;
    bool lineUsed_ = false;      // something is on this line, if only a bullet
    bool spacePending_ = false;  // a space goes before the next word on this line
    bool mergeable_ = false;     // the next text may extend the last fragment
};

}  // namespace

HelpLayout LayOutHelpPage(const HelpPage& page, int width, const HelpMetrics& metrics, const MeasureHelpText& measure) {
    Layouter layouter(width, metrics, measure);
    for (const HelpPiece& piece : page.pieces) {
        switch (piece.kind) {
        case HelpPieceKind::Text: layouter.AddText(piece.text, piece.bold); break;
        case HelpPieceKind::LineBreak: layouter.BreakLine(); break;
        case HelpPieceKind::BlockEnd: layouter.EndBlock(); break;
        case HelpPieceKind::Paragraph: layouter.StartParagraph(); break;
        case HelpPieceKind::Rule: layouter.AddRule(); break;
        case HelpPieceKind::ListItem: layouter.StartListItem(); break;
        }
    }
    return layouter.Finish();
}
