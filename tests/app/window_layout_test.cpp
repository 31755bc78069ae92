#include <gtest/gtest.h>

#include <tuple>

#include "window_layout.h"

// The tall layout from 241 lines on, centred with halves truncated; nothing below 640 x 240.
// The windows each layout makes: window_test, on both screens.
TEST(WindowLayout, ScreenSizePicksTheLayout) {
    struct Case {
        int width, height;
        bool fits, tall;
        int x, y;
    };
    const Case cases[] = {
        {1024, 240, true, false, 0, 0}, {640, 241, true, true, 0, 13}, {801, 601, true, true, 80, 193},
        {640, 239, false, false, 0, 0}, {639, 480, false, false, 0, 0},
    };
    for (const Case& c : cases) {
        const WindowLayout layout = ChooseLayoutForScreen(c.width, c.height);
        EXPECT_EQ(std::tuple(layout.fits, layout.tallScreen, layout.x, layout.y), std::tuple(c.fits, c.tall, c.x, c.y))
            << c.width << "x" << c.height;
    }
}
