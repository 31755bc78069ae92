// A day's text as two computers left it, made one again line by line. Lines end with
// CR LF, as the page's text box writes them; a lone CR or LF is part of its line, and the
// last line may have no end. Lines are compared whole, without their ends, and the merged
// text puts CR LF between them; it ends with CR LF when a side's change says so.
//
// Nothing typed on either side is lost: every line a side added or changed is in the
// merged text. Where both sides changed the same lines differently, both versions are
// kept, ours first, then theirs, with the lines they begin and end with alike written
// once, and the merge says it conflicted so that the user can be told to look.
#pragma once

#include <string>
#include <string_view>

struct MergedText {
    std::u16string text;
    bool conflicted = false;  // both sides changed the same lines (or inserted at the same place) differently
};

// base: the text both sides last had in common. A line changed on one side only takes
// that side's change; the same change on both is taken once; a line deleted on one side
// and edited on the other keeps the edit (and counts as a conflict).
MergedText MergeDayText(std::u16string_view base, std::u16string_view ours, std::u16string_view theirs);

// For two texts with no common version: the lines both have once, in ours' order, and
// each side's own lines where they stand, ours before theirs where both have lines of
// their own between the same shared ones (that counts as a conflict).
MergedText MergeDayTextWithoutBase(std::u16string_view ours, std::u16string_view theirs);
