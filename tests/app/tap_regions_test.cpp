// Which action a tap runs, at the edges of every region, in both layouts; and the help
// page's bytes against the page kept beside the tests.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "help_page.h"
#include "tap_regions.h"

namespace {

struct Region {
    int left, top, right, bottom;   // both ends included; y below t
    TapAction line, tall;           // the action in the 240-line and in the tall layout
};

const Region kRegions[] = {
    {180, 14, 196, 30, TapAction::WeatherMenu, TapAction::WeatherMenu},
    {200, 14, 216, 30, TapAction::MoodMenu, TapAction::MoodMenu},
    {16, 178, 28, 190, TapAction::PreviousDay, TapAction::PreviousDay},
    {607, 178, 619, 190, TapAction::NextDay, TapAction::NextDay},
    {339, 20, 602, 180, TapAction::StartStroke, TapAction::StartStroke},
    // The hot corners, only without a command bar; the right one reaches past the page.
    {0, 0, 5, 5, TapAction::SystemMenu, TapAction::None},
    {635, 0, 640, 5, TapAction::DrawingMenu, TapAction::None},
};

void ExpectTap(int x, int y, TapAction line, TapAction tall) {
    EXPECT_EQ(FindTapAction(x, y, 0, false), line) << "240 lines: " << x << ", " << y;
    EXPECT_EQ(FindTapAction(x, y + 26, 26, true), tall) << "tall: " << x << ", " << y;
}

}  // namespace

// Every region's corners run its action, the pixels beside the middle of each edge none.
TEST(TapRegions, EdgesOfEveryRegionInBothLayouts) {
    constexpr TapAction kNone = TapAction::None;
    for (const Region& r : kRegions) {
        for (int x : {r.left, r.right}) {
            for (int y : {r.top, r.bottom}) ExpectTap(x, y, r.line, r.tall);
        }
        int middleX = (r.left + r.right) / 2, middleY = (r.top + r.bottom) / 2;
        ExpectTap(r.left - 1, middleY, kNone, kNone);
        ExpectTap(r.right + 1, middleY, kNone, kNone);
        ExpectTap(middleX, r.top - 1, kNone, kNone);
        ExpectTap(middleX, r.bottom + 1, kNone, kNone);
    }
    ExpectTap(100, 100, kNone, kNone);
    ExpectTap(65535, 65535, kNone, kNone);   // a press above and left of the window
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
