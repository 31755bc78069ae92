#include "sync/line_diff.h"

#include <algorithm>

namespace {

// A run of lines the two sequences share, in the coordinates of the trimmed middle.
struct SharedRun {
    std::size_t base = 0;
    std::size_t side = 0;
    std::size_t length = 0;
};

// Myers' greedy search for the furthest point on each diagonal k = x - y after d edits,
// keeping each step's furthest points for the walk back. Gives the shared runs in order;
// false, with none, when more than kMostDiffEdits edits are needed.
bool FindSharedRuns(std::span<const std::uint32_t> a, std::span<const std::uint32_t> b, std::vector<SharedRun>& runs) {
    const long n = static_cast<long>(a.size());
    const long m = static_cast<long>(b.size());
    const long most = std::min<long>(n + m, static_cast<long>(kMostDiffEdits));
    // v[k + most + 1]: the furthest x on diagonal k. Step d reaches the diagonals
    // -d, -d + 2, ..., d; their d + 1 values are kept at trace[d * (d + 1) / 2 + (k + d) / 2].
    std::vector<long> v(2 * most + 3, 0);
    std::vector<std::int32_t> trace;
    auto at = [&](long k) -> long& { return v[k + most + 1]; };

    long last = -1;
    for (long d = 0; d <= most && last < 0; ++d) {
        for (long k = -d; k <= d; k += 2) {
            long x = k == -d || (k != d && at(k - 1) < at(k + 1)) ? at(k + 1) : at(k - 1) + 1;
            long y = x - k;
            while (x < n && y < m && a[x] == b[y]) ++x, ++y;
            at(k) = x;
            trace.push_back(static_cast<std::int32_t>(x));
            if (x >= n && y >= m) last = d;
        }
    }
    if (last < 0) return false;

    // Back from the end: each step arrived by one edit and then a run of shared lines.
    long x = n;
    long y = m;
    for (long d = last; d > 0; --d) {
        const long k = x - y;
        const std::int32_t* previous = trace.data() + (d - 1) * d / 2;  // step d - 1, k from -(d - 1)
        auto furthest = [&](long kk) -> long { return previous[(kk + d - 1) / 2]; };
        const bool down = k == -d || (k != d && furthest(k - 1) < furthest(k + 1));
        const long fromK = down ? k + 1 : k - 1;
        const long startX = down ? furthest(fromK) : furthest(fromK) + 1;
        const long startY = startX - k;
        if (x > startX)
            runs.push_back({static_cast<std::size_t>(startX), static_cast<std::size_t>(startY),
                            static_cast<std::size_t>(x - startX)});
        x = furthest(fromK);
        y = x - fromK;
    }
    if (x > 0) runs.push_back({0, 0, static_cast<std::size_t>(x)});
    std::reverse(runs.begin(), runs.end());
    return true;
}

// True when the lines the two have in common, counted without regard to order, are so
// few that no search can stay within kMostDiffEdits: a text written anew costs no search.
bool TooFewShared(std::span<const std::uint32_t> a, std::span<const std::uint32_t> b) {
    if (a.size() + b.size() <= kMostDiffEdits) return false;
    std::vector<std::uint32_t> x(a.begin(), a.end()), y(b.begin(), b.end());
    std::sort(x.begin(), x.end());
    std::sort(y.begin(), y.end());
    std::size_t shared = 0;
    for (std::size_t i = 0, j = 0; i < x.size() && j < y.size();) {
        if (x[i] < y[j])
            ++i;
        else if (y[j] < x[i])
            ++j;
        else
            ++shared, ++i, ++j;
    }
    return a.size() + b.size() - 2 * shared > kMostDiffEdits;
}

}  // namespace

std::vector<DiffHunk> DiffLines(std::span<const std::uint32_t> base, std::span<const std::uint32_t> side) {
    std::size_t prefix = 0;
    while (prefix < base.size() && prefix < side.size() && base[prefix] == side[prefix]) ++prefix;
    std::size_t suffix = 0;
    while (suffix < base.size() - prefix && suffix < side.size() - prefix &&
           base[base.size() - 1 - suffix] == side[side.size() - 1 - suffix])
        ++suffix;
    const auto a = base.subspan(prefix, base.size() - prefix - suffix);
    const auto b = side.subspan(prefix, side.size() - prefix - suffix);

    std::vector<DiffHunk> hunks;
    if (a.empty() && b.empty()) return hunks;
    std::vector<SharedRun> runs;
    if (!a.empty() && !b.empty() && !TooFewShared(a, b) && !FindSharedRuns(a, b, runs)) runs.clear();

    // The hunks are the gaps between the shared runs, and after the last one.
    std::size_t baseAt = 0;
    std::size_t sideAt = 0;
    runs.push_back({a.size(), b.size(), 0});
    for (const SharedRun& run : runs) {
        if (run.base > baseAt || run.side > sideAt)
            hunks.push_back({prefix + baseAt, prefix + run.base, prefix + sideAt, prefix + run.side});
        baseAt = run.base + run.length;
        sideAt = run.side + run.length;
    }
    return hunks;
}
