// A day's picture as two computers left it, merged pixel by pixel on the pixel bytes of
// diarycore/picture_bytes.h. A pixel one side changed takes that side's colour; one both
// changed to different colours keeps ours and is counted, so that the caller can keep
// theirs whole beside the merged picture.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

struct MergedPicture {
    std::vector<std::uint8_t> pixels;  // empty when an input is not exactly one picture's pixel bytes
    std::size_t conflictedPixels = 0;  // changed on both sides to different colours: ours kept
};

// The pixel bytes of a white picture: what a day without a picture file shows.
const std::vector<std::uint8_t>& BlankPicturePixels();

// base: the picture both sides last had in common.
MergedPicture MergePicture(std::span<const std::uint8_t> base, std::span<const std::uint8_t> ours,
                           std::span<const std::uint8_t> theirs);

// For two pictures with no common version, as though both had been drawn on a blank
// page: a pixel white on one side takes the other's colour, and one coloured differently
// on both keeps ours and is counted.
MergedPicture MergePictureWithoutBase(std::span<const std::uint8_t> ours, std::span<const std::uint8_t> theirs);
