// Merging a day's picture pixel by pixel, with and without a common version, and the
// classifications, merged whole by the same rule.
#include <gtest/gtest.h>

#include <vector>

#include "diarycore/picture_bytes.h"
#include "sync/classification_merge.h"
#include "sync/picture_merge.h"

namespace {

using Pixels = std::vector<std::uint8_t>;

constexpr std::uint8_t kBlack = 0, kRed = 9, kBlue = 12;

Pixels Blank() { return Pixels(kPicturePixelBytes, 0xFF); }

Pixels WithLine(Pixels pixels, int x0, int y0, int x1, int y1, std::uint8_t colour) {
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) SetPicturePixel(pixels, x, y, colour);
    return pixels;
}

}  // namespace

TEST(PictureMerge, StrokesOnBothSidesAreBothKept) {
    const Pixels base = WithLine(Blank(), 0, 150, 263, 150, kBlue);
    const Pixels ours = WithLine(base, 0, 10, 40, 10, kBlack);            // across
    const Pixels theirs = WithLine(WithLine(base, 51, 0, 51, 100, kRed),  // down, an odd column: low half of a byte
                                   0, 150, 20, 150, 15);                  // and part of the common line rubbed out
    const MergedPicture merged = MergePicture(base, ours, theirs);
    EXPECT_EQ(merged.conflictedPixels, 0u);
    EXPECT_EQ(merged.pixels, WithLine(WithLine(ours, 51, 0, 51, 100, kRed), 0, 150, 20, 150, 15));
    EXPECT_EQ(MergePicture(base, ours, ours).pixels, ours);
    EXPECT_EQ(MergePicture(base, base, theirs).pixels, theirs);
}

TEST(PictureMerge, APixelBothColouredDifferentlyKeepsOursAndIsCounted) {
    const Pixels base = Blank();
    Pixels ours = base, theirs = base;
    SetPicturePixel(ours, 5, 5, kBlack);  // (4, 5) and (5, 5) share a byte
    SetPicturePixel(theirs, 5, 5, kRed);
    SetPicturePixel(theirs, 4, 5, kBlue);   // theirs alone: taken
    SetPicturePixel(ours, 263, 159, kRed);  // the same change on both: no conflict
    SetPicturePixel(theirs, 263, 159, kRed);
    SetPicturePixel(ours, 0, 0, kBlue);
    SetPicturePixel(theirs, 0, 0, kRed);
    const MergedPicture merged = MergePicture(base, ours, theirs);
    EXPECT_EQ(merged.conflictedPixels, 2u);
    ASSERT_EQ(merged.pixels.size(), static_cast<std::size_t>(kPicturePixelBytes));
    EXPECT_EQ(PicturePixel(merged.pixels, 5, 5), kBlack);
    EXPECT_EQ(PicturePixel(merged.pixels, 4, 5), kBlue);
    EXPECT_EQ(PicturePixel(merged.pixels, 263, 159), kRed);
    EXPECT_EQ(PicturePixel(merged.pixels, 0, 0), kBlue);
}

TEST(PictureMerge, WithoutACommonVersionWhiteGivesWay) {
    Pixels ours = Blank(), theirs = Blank();
    SetPicturePixel(ours, 1, 1, kBlack);  // theirs white: ours
    SetPicturePixel(theirs, 2, 1, kRed);  // ours white: theirs
    SetPicturePixel(ours, 3, 3, kBlue);   // both the same
    SetPicturePixel(theirs, 3, 3, kBlue);
    SetPicturePixel(ours, 7, 7, kBlue);  // both coloured, differently: ours, counted
    SetPicturePixel(theirs, 7, 7, kRed);
    const MergedPicture merged = MergePictureWithoutBase(ours, theirs);
    EXPECT_EQ(merged.conflictedPixels, 1u);
    Pixels expected = ours;
    SetPicturePixel(expected, 2, 1, kRed);
    EXPECT_EQ(merged.pixels, expected);
}

TEST(PictureMerge, PixelBytesOfAnotherSizeAreNotMerged) {
    const Pixels good = Blank();
    const Pixels shortOne(kPicturePixelBytes - 1, 0xFF);
    EXPECT_TRUE(MergePicture(shortOne, good, good).pixels.empty());
    EXPECT_TRUE(MergePicture(good, good, shortOne).pixels.empty());
    EXPECT_TRUE(MergePictureWithoutBase(Pixels{}, good).pixels.empty());
}

TEST(ClassificationMerge, TheSideThatChoseGivesItOursWhenBothDid) {
    struct Case {
        std::uint8_t base, ours, theirs, merged;
        bool conflicted;
    };
    const Case cases[] = {
        {1, 1, 1, 1, false}, {1, 2, 1, 2, false},     {1, 1, 3, 3, false},  {1, 2, 2, 2, false},
        {1, 2, 3, 2, true},  {0, 255, 0, 255, false}, {255, 0, 4, 0, true},
    };
    for (const Case& c : cases) {
        const MergedClassification merged = MergeClassification(c.base, c.ours, c.theirs);
        EXPECT_EQ(merged.value, c.merged) << int(c.base) << " " << int(c.ours) << " " << int(c.theirs);
        EXPECT_EQ(merged.conflicted, c.conflicted) << int(c.base) << " " << int(c.ours) << " " << int(c.theirs);
    }
}
