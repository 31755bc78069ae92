#include <gtest/gtest.h>

#include <tuple>

#include "window_layout.h"
#include "zoom_choice.h"

// The tall layout from 241 lines on, centred with halves truncated; nothing below 640 x 240.
TEST(WindowLayout, ScreenSizePicksTheLayout) {
    struct Case {
        int width, height;
        bool fits, tall;
        int x, y;
    };
    const Case cases[] = {
        {1024, 240, true, false, 0, 0}, {640, 241, true, true, 0, 13},  {801, 601, true, true, 80, 193},
        {640, 239, false, false, 0, 0}, {639, 480, false, false, 0, 0},
    };
    for (const Case& c : cases) {
        const WindowLayout layout = ChooseLayoutForScreen(c.width, c.height);
        EXPECT_EQ(std::tuple(layout.fits, layout.tallScreen, layout.x, layout.y), std::tuple(c.fits, c.tall, c.x, c.y))
            << c.width << "x" << c.height;
    }
}

// Without a choice the page follows the monitor's scale; a choice keeps the page's size on
// another monitor; neither outgrows the room.
TEST(PageZoom, FollowsTheMonitorOrKeepsTheChosenSize) {
    const std::optional<ZoomChoice> none;
    const struct {
        std::optional<ZoomChoice> choice;
        int dpi, largest, zoom;
    } cases[] = {
        {none, 96, 4, 1},
        {none, 120, 4, 2},
        {none, 144, 4, 2},
        {none, 144, 1, 1},
        {none, 192, 4, 2},
        {none, 200, 4, 3},
        {none, 480, 4, 4},
        {none, 72, 4, 1},
        {ZoomChoice{3, 96}, 96, 4, 3},
        {ZoomChoice{3, 96}, 96, 2, 2},
        {ZoomChoice{1, 96}, 192, 4, 2},
        {ZoomChoice{2, 192}, 96, 4, 1},
        {ZoomChoice{1, 96}, 144, 4, 2},
        {ZoomChoice{2, 144}, 96, 4, 1},
        {ZoomChoice{2, 144}, 192, 4, 3},
        {ZoomChoice{1, 192}, 96, 4, 1},
        {ZoomChoice{4, 96}, 192, 9, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.choice ? c.choice->zoom : 0) << "x at " << (c.choice ? c.choice->dpi : 0)
                                        << " dpi, now " << c.dpi << " dpi, room for " << c.largest);
        EXPECT_EQ(ZoomForMonitor(c.choice, c.dpi, c.largest), c.zoom);
    }
    // Room: the work area less the window's frame; the command bar is above the page, its
    // buttons (22 high at 1x) growing with it.
    EXPECT_EQ(LargestZoomThatFits(1910, 980, {26, 22}), 2);
    EXPECT_EQ(LargestZoomThatFits(1279, 980, {26, 22}), 1);
    EXPECT_EQ(LargestZoomThatFits(2560, 948, {26, 22}), 4);
    EXPECT_EQ(LargestZoomThatFits(2560, 947, {26, 22}), 3) << "room for the page at 4x, not for its bar";
    EXPECT_EQ(LargestZoomThatFits(1920, 1000, {}), 3);
    EXPECT_EQ(LargestZoomThatFits(600, 200, {}), 1);

    Settings settings;
    KeepZoomChoice(settings, {3, 144});
    EXPECT_EQ(ReadZoomChoice(settings), (ZoomChoice{3, 144}));
    for (const char* damaged : {"zoom=5\nzoom_dpi=96", "zoom=2\nzoom_dpi=0", "zoom=2", "zoom=0\nzoom_dpi=96"}) {
        const std::string_view text = damaged;
        EXPECT_EQ(ReadZoomChoice(Settings({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()})),
                  std::nullopt)
            << damaged;
    }
}
