// The differences between two sequences of lines, each line given as a number that is
// equal exactly where the lines are equal: a shortest edit (Myers' O(ND) algorithm)
// after the common start and end are set aside, so that a day's text with a few lines
// changed costs little more than one pass over it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// Lines [baseBegin, baseEnd) of the first sequence are replaced by lines
// [sideBegin, sideEnd) of the second. An empty base range is an insertion before line
// baseBegin, an empty side range a deletion. Hunks come in order, and between two of
// them there is always at least one line the sequences share.
struct DiffHunk {
    std::size_t baseBegin = 0;
    std::size_t baseEnd = 0;
    std::size_t sideBegin = 0;
    std::size_t sideEnd = 0;
};

// Past this many inserted and deleted lines the search stops (or is not begun, when the
// lines the two have in common are too few) and the middle the two sequences do not
// share at their ends counts as one replacement: still a true account of the change,
// only a coarser one, and it bounds the time and the memory of the search. A day's text
// of 10,000 characters has a few hundred lines, so only a text mostly written anew
// comes near it.
inline constexpr std::size_t kMostDiffEdits = 512;

std::vector<DiffHunk> DiffLines(std::span<const std::uint32_t> base, std::span<const std::uint32_t> side);
