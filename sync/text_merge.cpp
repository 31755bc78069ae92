#include "sync/text_merge.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <unordered_map>
#include <vector>

#include "sync/line_diff.h"

namespace {

constexpr std::u16string_view kLineEnd = u"\r\n";

// A text as lines without their ends, each also as a number equal for equal lines, so
// the diff compares numbers.
struct TextLines {
    std::vector<std::u16string_view> lines;
    std::vector<std::uint32_t> ids;
    bool endsWithLineEnd = false;
};

class LineNumbering {
public:
    TextLines Split(std::u16string_view text) {
        TextLines split;
        for (std::size_t start = 0; start < text.size();) {
            const std::size_t end = text.find(kLineEnd, start);
            if (end == std::u16string_view::npos) {
                Add(split, text.substr(start));
                break;
            }
            Add(split, text.substr(start, end - start));
            start = end + kLineEnd.size();
            split.endsWithLineEnd = start == text.size();
        }
        return split;
    }

private:
    void Add(TextLines& split, std::u16string_view line) {
        split.lines.push_back(line);
        split.ids.push_back(ids_.try_emplace(line, static_cast<std::uint32_t>(ids_.size())).first->second);
    }
    std::unordered_map<std::u16string_view, std::uint32_t> ids_;
};

// The merged lines, as views into the three texts, written out once at the end.
class MergedLines {
public:
    void Add(const TextLines& from, std::size_t begin, std::size_t end) {
        lines_.insert(lines_.end(), from.lines.begin() + begin, from.lines.begin() + end);
    }
    void Add(const std::vector<std::u16string_view>& lines, std::size_t begin, std::size_t end) {
        lines_.insert(lines_.end(), lines.begin() + begin, lines.begin() + end);
    }
    std::u16string Text(bool endsWithLineEnd) const {
        std::u16string text;
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            if (i > 0) text += kLineEnd;
            text += lines_[i];
        }
        // An empty last line is there only by its end: without one it would be gone.
        if (!lines_.empty() && (endsWithLineEnd || lines_.back().empty())) text += kLineEnd;
        return text;
    }

private:
    std::vector<std::u16string_view> lines_;
};

// One side's version of base lines [begin, end): the base with that side's hunks in the
// range applied.
struct Version {
    std::vector<std::u16string_view> lines;
    std::vector<std::uint32_t> ids;
};

Version VersionOf(const TextLines& base, const TextLines& side, std::span<const DiffHunk> hunks, std::size_t begin,
                  std::size_t end) {
    Version version;
    auto take = [&](const TextLines& from, std::size_t b, std::size_t e) {
        version.lines.insert(version.lines.end(), from.lines.begin() + b, from.lines.begin() + e);
        version.ids.insert(version.ids.end(), from.ids.begin() + b, from.ids.begin() + e);
    };
    std::size_t at = begin;
    for (const DiffHunk& hunk : hunks) {
        take(base, at, hunk.baseBegin);
        take(side, hunk.sideBegin, hunk.sideEnd);
        at = hunk.baseEnd;
    }
    take(base, at, end);
    return version;
}

// Both versions of a region both sides changed: the lines they start and end with alike
// once, and between them ours, then theirs.
void AddBoth(const Version& ours, const Version& theirs, MergedLines& merged) {
    const std::size_t shortest = std::min(ours.ids.size(), theirs.ids.size());
    std::size_t head = 0;
    while (head < shortest && ours.ids[head] == theirs.ids[head]) ++head;
    std::size_t tail = 0;
    while (tail < shortest - head && ours.ids[ours.ids.size() - 1 - tail] == theirs.ids[theirs.ids.size() - 1 - tail])
        ++tail;
    merged.Add(ours.lines, 0, ours.lines.size() - tail);
    merged.Add(theirs.lines, head, theirs.lines.size());
}

// A side's change of one of its two ends: taken when only one side made it.
bool MergeLineEnd(bool base, bool ours, bool theirs) { return ours != base ? ours : theirs; }

}  // namespace

MergedText MergeDayText(std::u16string_view baseText, std::u16string_view oursText, std::u16string_view theirsText) {
    LineNumbering numbering;
    const TextLines base = numbering.Split(baseText);
    const TextLines ours = numbering.Split(oursText);
    const TextLines theirs = numbering.Split(theirsText);
    const std::vector<DiffHunk> oursHunks = DiffLines(base.ids, ours.ids);
    const std::vector<DiffHunk> theirsHunks = DiffLines(base.ids, theirs.ids);

    MergedText result;
    MergedLines merged;
    std::size_t i = 0;  // next hunk of ours
    std::size_t j = 0;  // next hunk of theirs
    std::size_t baseAt = 0;
    auto before = [](const DiffHunk& a, const DiffHunk& b) {
        return a.baseBegin < b.baseBegin || (a.baseBegin == b.baseBegin && a.baseEnd <= b.baseEnd);
    };
    while (i < oursHunks.size() || j < theirsHunks.size()) {
        // A region starts with the first hunk of either side and takes in every hunk of
        // the other that overlaps it, until none does. Two insertions at one place
        // overlap; an insertion just before or after the other side's change does not.
        const std::size_t i0 = i;
        const std::size_t j0 = j;
        const bool oursFirst =
            j == theirsHunks.size() || (i < oursHunks.size() && before(oursHunks[i], theirsHunks[j]));
        const DiffHunk& first = oursFirst ? oursHunks[i++] : theirsHunks[j++];
        const std::size_t begin = first.baseBegin;
        std::size_t end = first.baseEnd;
        auto overlaps = [&](const DiffHunk& h) {
            return h.baseBegin < end || (begin == end && h.baseBegin == end && h.baseEnd == end);
        };
        for (bool grew = true; grew;) {
            grew = false;
            for (; i < oursHunks.size() && overlaps(oursHunks[i]); ++i, grew = true)
                end = std::max(end, oursHunks[i].baseEnd);
            for (; j < theirsHunks.size() && overlaps(theirsHunks[j]); ++j, grew = true)
                end = std::max(end, theirsHunks[j].baseEnd);
        }

        merged.Add(base, baseAt, begin);
        baseAt = end;
        const std::span<const DiffHunk> oursPart(oursHunks.data() + i0, i - i0);
        const std::span<const DiffHunk> theirsPart(theirsHunks.data() + j0, j - j0);
        const Version oursVersion = VersionOf(base, ours, oursPart, begin, end);
        if (theirsPart.empty()) {
            merged.Add(oursVersion.lines, 0, oursVersion.lines.size());
            continue;
        }
        const Version theirsVersion = VersionOf(base, theirs, theirsPart, begin, end);
        if (oursPart.empty() || oursVersion.ids == theirsVersion.ids) {
            merged.Add(theirsVersion.lines, 0, theirsVersion.lines.size());
            continue;
        }
        AddBoth(oursVersion, theirsVersion, merged);
        result.conflicted = true;
    }
    merged.Add(base, baseAt, base.lines.size());
    result.text = merged.Text(MergeLineEnd(base.endsWithLineEnd, ours.endsWithLineEnd, theirs.endsWithLineEnd));
    return result;
}

MergedText MergeDayTextWithoutBase(std::u16string_view oursText, std::u16string_view theirsText) {
    LineNumbering numbering;
    const TextLines ours = numbering.Split(oursText);
    const TextLines theirs = numbering.Split(theirsText);

    MergedText result;
    MergedLines merged;
    std::size_t oursAt = 0;
    for (const DiffHunk& hunk : DiffLines(ours.ids, theirs.ids)) {
        merged.Add(ours, oursAt, hunk.baseEnd);
        merged.Add(theirs, hunk.sideBegin, hunk.sideEnd);
        oursAt = hunk.baseEnd;
        if (hunk.baseBegin < hunk.baseEnd && hunk.sideBegin < hunk.sideEnd) result.conflicted = true;
    }
    merged.Add(ours, oursAt, ours.lines.size());
    result.text = merged.Text(ours.endsWithLineEnd || theirs.endsWithLineEnd);
    return result;
}
