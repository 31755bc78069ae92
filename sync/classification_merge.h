// A day's weather, mood or place as two computers left it: each a small number, merged
// whole. The side that changed it from the common version gives it; where both changed it
// to different values, ours stays and the merge says so.
#pragma once

#include <cstdint>

struct MergedClassification {
    std::uint8_t value = 0;
    bool conflicted = false;  // both sides chose, differently
};

MergedClassification MergeClassification(std::uint8_t base, std::uint8_t ours, std::uint8_t theirs);
