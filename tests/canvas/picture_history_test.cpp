// The steps of a page's picture: back and forward in order, a new step ending what could
// be brought back, and the bound on what is kept.
#include <gtest/gtest.h>

#include "canvas/picture_bytes.h"
#include "canvas/picture_history.h"

namespace {

// A whole picture whose bytes all hold `mark`, so pictures are told apart by one byte.
PictureBytes Picture(std::uint8_t mark) { return PictureBytes(kPicturePixelBytes, mark); }

std::uint8_t MarkOf(const std::optional<PictureBytes>& picture) { return picture ? picture->front() : 0xEE; }

// Three strokes drawn (pictures 0 -> 1 -> 2 -> 3), walked back and forth. Each step hands
// back the picture to show and keeps the one replaced; past either end there is nothing,
// and the picture on show is not swallowed by a step that is not there.
TEST(PictureHistory, StepsBackAndForwardInOrder) {
    PictureHistory history;
    for (std::uint8_t mark : {0, 1, 2}) RecordStep(history, Picture(mark));

    EXPECT_EQ(MarkOf(StepBack(history, Picture(3))), 2);
    EXPECT_EQ(MarkOf(StepBack(history, Picture(2))), 1);
    EXPECT_EQ(MarkOf(StepForward(history, Picture(1))), 2);
    EXPECT_EQ(MarkOf(StepBack(history, Picture(2))), 1);
    EXPECT_EQ(MarkOf(StepBack(history, Picture(1))), 0);
    EXPECT_FALSE(StepBack(history, Picture(0)));
    EXPECT_EQ(MarkOf(StepForward(history, Picture(0))), 1);
    EXPECT_EQ(MarkOf(StepForward(history, Picture(1))), 2);
    EXPECT_EQ(MarkOf(StepForward(history, Picture(2))), 3);
    EXPECT_FALSE(StepForward(history, Picture(3)));
    EXPECT_EQ(MarkOf(StepBack(history, Picture(3))), 2) << "the refused step forward lost the picture on show";
}

// A stroke drawn after taking two back: those two cannot come back, the older steps can
// still be taken back, and clearing leaves nothing either way.
TEST(PictureHistory, NewStepEndsWhatCouldBeBroughtBackAndClearEndsAll) {
    PictureHistory history;
    for (std::uint8_t mark : {0, 1, 2}) RecordStep(history, Picture(mark));
    StepBack(history, Picture(3));
    StepBack(history, Picture(2));
    RecordStep(history, Picture(1));   // picture 1 becomes 4
    EXPECT_FALSE(StepForward(history, Picture(4)));
    EXPECT_EQ(MarkOf(StepBack(history, Picture(4))), 1);
    EXPECT_EQ(MarkOf(StepBack(history, Picture(1))), 0);
    EXPECT_FALSE(StepBack(history, Picture(0)));

    ClearHistory(history);
    EXPECT_FALSE(StepForward(history, Picture(0)));
    EXPECT_FALSE(StepBack(history, Picture(0)));
    EXPECT_EQ(HeldBytes(history), 0u);
}

// Of 250 strokes the last 100 can be taken back, and however strokes, undos and redos
// follow each other, the history never holds more than 100 pictures: under 5 MB.
TEST(PictureHistory, KeepsTheNewestHundredStepsWithinFiveMegabytes) {
    PictureHistory history;
    for (int stroke = 0; stroke < 250; ++stroke) RecordStep(history, Picture(static_cast<std::uint8_t>(stroke)));
    int taken = 0;
    std::uint8_t shown = 250 % 256;
    while (std::optional<PictureBytes> back = StepBack(history, Picture(shown))) {
        shown = back->front();
        ++taken;
    }
    EXPECT_EQ(taken, 100);
    EXPECT_EQ(shown, 150) << "the oldest step kept";

    std::size_t most = 0;
    for (int round = 0; round < 300; ++round) {
        if (round % 7 == 3) {
            StepForward(history, Picture(1));
        } else if (round % 3 == 0) {
            StepBack(history, Picture(2));
        } else {
            RecordStep(history, Picture(3));
        }
        most = std::max(most, HeldBytes(history));
    }
    EXPECT_EQ(most, kHistorySteps * kPicturePixelBytes);
    EXPECT_LT(most, 5u * 1000 * 1000);
}

}  // namespace
