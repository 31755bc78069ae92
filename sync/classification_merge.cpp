#include "sync/classification_merge.h"

MergedClassification MergeClassification(std::uint8_t base, std::uint8_t ours, std::uint8_t theirs) {
    if (theirs == base || theirs == ours) return {ours, false};
    if (ours == base) return {theirs, false};
    return {ours, true};
}
