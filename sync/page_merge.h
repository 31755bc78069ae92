// A whole day as two computers left it: the record's text and classifications and the
// picture's pixels, each merged on its own (text_merge.h, classification_merge.h,
// picture_merge.h) against the version both last had in common.
//
// A side without a day file stands for an empty page there: no text, weather, mood and
// place 0, a white picture (the program keeps no file for a blank drawing). A base
// without files is a day that appeared on both computers meanwhile: the texts are put
// together line by line without a common version, and the rest merges against the empty
// page.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "diarycore/record.h"

// One version of a day: its record and its picture's pixel bytes (picture_bytes.h), each
// absent when that version has no such file.
struct DayPage {
    std::optional<DayRecord> record;
    std::optional<std::vector<std::uint8_t>> picture;
};

// Which parts of one side's page the merged page differs in: what writing it there changes.
struct PageParts {
    bool text = false;
    bool weather = false;
    bool mood = false;
    bool place = false;
    bool record = false;   // the record file: any of the above, the other header bytes, or whether there is one
    bool picture = false;  // the picture file: its pixels, or whether there is one
};

struct PageMergeSummary {
    bool textConflicted = false;             // both kept, ours first
    bool classificationsConflicted = false;  // ours kept
    // Pixels both sides coloured differently (ours kept), or pictures that could not be
    // merged pixel by pixel, not being one picture's pixel bytes, and both changed: ours
    // kept whole. Either way theirs is worth keeping as an earlier version.
    bool pictureConflicted = false;
    std::size_t conflictedPixels = 0;
    PageParts differsFromOurs;
    PageParts differsFromTheirs;
};

struct MergedPage {
    // A record when ours or theirs has one, its header bytes beyond the classifications
    // from ours (else theirs); a picture when ours or theirs has one, which may be blank.
    DayPage page;
    PageMergeSummary summary;
};

MergedPage MergeDayPage(const DayPage& base, const DayPage& ours, const DayPage& theirs);
