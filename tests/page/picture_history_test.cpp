// The bound on what a page's picture history keeps.
#include <gtest/gtest.h>

#include "diarycore/picture_bytes.h"
#include "page/picture_history.h"

namespace {

// A whole picture whose bytes all hold `mark`, so pictures are told apart by one byte.
PictureBytes Picture(std::uint8_t mark) { return PictureBytes(kPicturePixelBytes, mark); }

// Of 250 strokes the last 100 can be taken back, nothing past either end; whatever follows,
// the history holds at most 100 pictures, under 5 MB.
TEST(PictureHistory, KeepsTheNewestHundredStepsWithinFiveMegabytes) {
    PictureHistory history;
    for (int stroke = 0; stroke < 250; ++stroke) PushUndoStep(history, Picture(static_cast<std::uint8_t>(stroke)));
    int taken = 0;
    std::uint8_t shown = 250;
    while (std::optional<PictureBytes> back = StepBack(history, Picture(shown))) {
        shown = back->front();
        ++taken;
    }
    EXPECT_EQ(taken, 100);
    EXPECT_EQ(shown, 150) << "the oldest step kept";
    EXPECT_FALSE(StepBack(history, Picture(shown)));
    EXPECT_EQ(HeldBytes(history), kHistorySteps * kPicturePixelBytes) << "a refused step kept the picture on show";

    std::size_t most = 0;
    for (int round = 0; round < 300; ++round) {
        if (round % 7 == 3)
            StepForward(history, Picture(1));
        else if (round % 3 == 0)
            StepBack(history, Picture(2));
        else
            PushUndoStep(history, Picture(3));
        most = std::max(most, HeldBytes(history));
    }
    EXPECT_EQ(most, kHistorySteps * kPicturePixelBytes);
    EXPECT_LT(most, 5u * 1000 * 1000);

    ClearHistory(history);
    EXPECT_FALSE(StepForward(history, Picture(0)));
    EXPECT_EQ(HeldBytes(history), 0u);
}

}  // namespace
