// Which action a tap runs, at the boundary pixels of every region, in both layouts;
// and the help page's bytes against the page kept beside the tests.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "help_page.h"
#include "tap_regions.h"

namespace {

struct Tap {
    int x, y;   // y below t
    TapAction line;   // 240-line layout
    TapAction tall;   // tall layout
};

constexpr TapAction kNone = TapAction::None;

const Tap kTaps[] = {
    {180, 14, TapAction::WeatherMenu, TapAction::WeatherMenu},
    {196, 30, TapAction::WeatherMenu, TapAction::WeatherMenu},
    {179, 20, kNone, kNone},
    {197, 30, kNone, kNone},
    {190, 31, kNone, kNone},
    {190, 13, kNone, kNone},
    {200, 14, TapAction::MoodMenu, TapAction::MoodMenu},
    {216, 14, TapAction::MoodMenu, TapAction::MoodMenu},
    {216, 30, TapAction::MoodMenu, TapAction::MoodMenu},
    {217, 20, kNone, kNone},
    {199, 20, kNone, kNone},
    {635, 0, TapAction::DrawingMenu, kNone},
    {640, 5, TapAction::DrawingMenu, kNone},
    {639, 0, TapAction::DrawingMenu, kNone},
    {634, 0, kNone, kNone},
    {637, 6, kNone, kNone},
    {16, 178, TapAction::PreviousDay, TapAction::PreviousDay},
    {28, 190, TapAction::PreviousDay, TapAction::PreviousDay},
    {15, 184, kNone, kNone},
    {29, 184, kNone, kNone},
    {22, 191, kNone, kNone},
    {22, 177, kNone, kNone},
    {607, 178, TapAction::NextDay, TapAction::NextDay},
    {619, 190, TapAction::NextDay, TapAction::NextDay},
    {606, 184, kNone, kNone},
    {620, 184, kNone, kNone},
    {613, 191, kNone, kNone},
    {0, 0, TapAction::SystemMenu, kNone},
    {5, 5, TapAction::SystemMenu, kNone},
    {2, 2, TapAction::SystemMenu, kNone},
    {6, 2, kNone, kNone},
    {2, 6, kNone, kNone},
    {339, 20, TapAction::StartStroke, TapAction::StartStroke},
    {602, 180, TapAction::StartStroke, TapAction::StartStroke},
    {338, 20, kNone, kNone},
    {603, 20, kNone, kNone},
    {400, 19, kNone, kNone},
    {400, 181, kNone, kNone},
    {100, 100, kNone, kNone},
    {65535, 65535, kNone, kNone},   // a press above and left of the window
};

}  // namespace

TEST(TapRegions, BoundaryPixelsInBothLayouts) {
    for (const Tap& tap : kTaps) {
        EXPECT_EQ(FindTapAction(tap.x, tap.y, 0, false), tap.line) << "240 lines: " << tap.x << ", " << tap.y;
        EXPECT_EQ(FindTapAction(tap.x, tap.y + 26, 26, true), tap.tall) << "tall: " << tap.x << ", " << tap.y;
    }
    // The tall layout's page starts below the command bar: its corner is no hot corner.
    EXPECT_EQ(FindTapAction(2, 28, 26, true), kNone);
    EXPECT_EQ(FindTapAction(190, 20, 26, true), kNone) << "the icon's place without t";
}

TEST(HelpPage, BytesAreThePageKeptWithTheTests) {
    std::ifstream file(EXPECTED_HELP_PAGE, std::ios::binary);
    ASSERT_TRUE(file) << EXPECTED_HELP_PAGE;
    std::vector<std::uint8_t> expected((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_EQ(HelpPageBytes(), expected);
}
