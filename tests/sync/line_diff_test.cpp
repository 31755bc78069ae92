// The line diff against the textbook longest common subsequence: every hunk list must
// turn the first sequence into the second, keep a shared line between hunks, and be as
// short as the longest common subsequence allows.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "sync/line_diff.h"

namespace {

using Lines = std::vector<std::uint32_t>;

std::size_t LongestCommonLength(const Lines& a, const Lines& b) {
    std::vector<std::vector<std::size_t>> table(a.size() + 1, std::vector<std::size_t>(b.size() + 1, 0));
    for (std::size_t i = 1; i <= a.size(); ++i)
        for (std::size_t j = 1; j <= b.size(); ++j)
            table[i][j] = a[i - 1] == b[j - 1] ? table[i - 1][j - 1] + 1 : std::max(table[i - 1][j], table[i][j - 1]);
    return table[a.size()][b.size()];
}

// The second sequence rebuilt from the first and the hunks, failing the test on a hunk
// out of order, out of range, or with no shared line before it.
Lines Applied(const Lines& base, const Lines& side, const std::vector<DiffHunk>& hunks) {
    Lines out;
    std::size_t at = 0;
    for (std::size_t h = 0; h < hunks.size(); ++h) {
        const DiffHunk& hunk = hunks[h];
        EXPECT_TRUE(h == 0 || (hunk.baseBegin > at && hunk.sideBegin > hunks[h - 1].sideEnd)) << "hunk " << h;
        EXPECT_TRUE(hunk.baseBegin >= at && hunk.baseBegin <= hunk.baseEnd && hunk.baseEnd <= base.size());
        EXPECT_TRUE(hunk.sideBegin <= hunk.sideEnd && hunk.sideEnd <= side.size());
        EXPECT_TRUE(hunk.baseBegin < hunk.baseEnd || hunk.sideBegin < hunk.sideEnd) << "empty hunk " << h;
        if (::testing::Test::HasFailure()) return out;
        out.insert(out.end(), base.begin() + at, base.begin() + hunk.baseBegin);
        out.insert(out.end(), side.begin() + hunk.sideBegin, side.begin() + hunk.sideEnd);
        at = hunk.baseEnd;
    }
    out.insert(out.end(), base.begin() + at, base.end());
    return out;
}

std::size_t Edits(const std::vector<DiffHunk>& hunks) {
    std::size_t edits = 0;
    for (const DiffHunk& h : hunks) edits += (h.baseEnd - h.baseBegin) + (h.sideEnd - h.sideBegin);
    return edits;
}

}  // namespace

TEST(LineDiff, RandomSequencesGetAShortestEdit) {
    std::mt19937 random(7);
    for (int round = 0; round < 3000; ++round) {
        // Few distinct lines, so that many are shared and repeated.
        std::uniform_int_distribution<std::uint32_t> line(0, round % 3 == 0 ? 2 : 6);
        std::uniform_int_distribution<std::size_t> length(0, 24);
        Lines a(length(random)), b;
        for (auto& x : a) x = line(random);
        if (round % 2 == 0) {
            b.resize(length(random));
            for (auto& x : b) x = line(random);
        } else {  // a few edits of a
            b = a;
            for (int e = 0; e < 3 && !b.empty(); ++e) b.erase(b.begin() + random() % b.size());
            b.insert(b.begin() + random() % (b.size() + 1), 9);
        }
        const std::vector<DiffHunk> hunks = DiffLines(a, b);
        ASSERT_EQ(Applied(a, b, hunks), b) << "round " << round;
        ASSERT_EQ(Edits(hunks), a.size() + b.size() - 2 * LongestCommonLength(a, b)) << "round " << round;
    }
}

// Past the bound the shared start and end are still found; the middle is one change.
TEST(LineDiff, SequencesTooDifferentToSearchGiveOneHunkBetweenTheirSharedEnds) {
    Lines a = {1, 2}, b = {1, 2};
    for (std::uint32_t i = 0; i < kMostDiffEdits; ++i) {
        a.push_back(100 + 2 * i);
        b.push_back(101 + 2 * i);
    }
    a.push_back(3);
    b.push_back(3);
    const std::vector<DiffHunk> hunks = DiffLines(a, b);
    ASSERT_EQ(hunks.size(), 1u);
    EXPECT_EQ(hunks[0].baseBegin, 2u);
    EXPECT_EQ(hunks[0].baseEnd, a.size() - 1);
    EXPECT_EQ(Applied(a, b, hunks), b);

    // Lines enough in common, but in the opposite order: the search gives up at the bound.
    Lines forward, backward;
    for (std::uint32_t i = 0; i < kMostDiffEdits; ++i) {
        forward.push_back(i);
        backward.insert(backward.begin(), i);
    }
    EXPECT_EQ(DiffLines(forward, backward).size(), 1u);
    EXPECT_EQ(Applied(forward, backward, DiffLines(forward, backward)), backward);

    // Just within it, the search still finds the shortest edit.
    Lines c = {1}, d = {1};
    for (std::uint32_t i = 0; i < kMostDiffEdits / 2; ++i) {
        c.push_back(100 + 2 * i);
        d.push_back(101 + 2 * i);
        c.push_back(5);
        d.push_back(5);
    }
    EXPECT_EQ(DiffLines(c, d).size(), kMostDiffEdits / 2);
}
