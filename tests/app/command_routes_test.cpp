// Every command identifier reaches its action, and nothing else reaches any action.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>

#include "command_routes.h"

namespace {

constexpr std::uint64_t kAccel = 65536;
using A = CommandAction;

// The whole routing, written out by value: menu and button identifiers, then the
// accelerator commands as they arrive (65536 + identifier).
std::map<std::uint64_t, CommandRoute> ExpectedRoutes() {
    std::map<std::uint64_t, CommandRoute> routes;
    for (int i = 1; i <= 5; ++i) routes[1000 + i] = {A::SetWeather, i};
    for (int i = 0; i <= 5; ++i) routes[2000 + i] = {A::SetMood, i};
    for (int id = 3000; id <= 3015; ++id) routes[id] = {A::SetPenColour, id};
    routes[3999] = {A::ShowColourMenu, 3999};
    for (int id = 4000; id <= 4004; ++id) routes[id] = {A::SetPenWidth, id};
    routes[4999] = {A::ShowWidthMenu, 4999};
    routes[5000] = {A::SetPenType, 5000};
    routes[5001] = {A::SetPenType, 5001};
    routes[5999] = {A::ShowPenTypeMenu, 5999};
    routes[40002] = {A::CloseProgram, 40002};
    routes[40003] = {A::GoPreviousDay, 40003};
    routes[40004] = {A::GoNextDay, 40004};
    routes[40005] = {A::PickDay, 40005};
    routes[40007] = {A::SaveText, 40007};
    routes[40008] = {A::ShowHtmlOutput, 40008};
    routes[40009] = {A::ShowAbout, 40009};
    routes[40033] = {A::TogglePictureSaving, 40033};
    routes[40034] = {A::ToggleRuledLines, 40034};
    routes[105538] = {A::CloseProgram, 105538};
    routes[105539] = {A::GoPreviousDay, 105539};
    routes[105540] = {A::GoNextDay, 105540};
    routes[105541] = {A::PickDay, 105541};
    routes[105543] = {A::SaveText, 105543};
    routes[105544] = {A::ShowHtmlOutput, 105544};
    routes[105548] = {A::ShowSystemMenu, 105548};
    routes[105549] = {A::ShowDrawingMenu, 105549};
    return routes;
}

}  // namespace

TEST(CommandRoutes, EveryIdentifierOfMenusAndAcceleratorsAndNothingElse) {
    const auto expected = ExpectedRoutes();
    // Both high words 0 and 1 over their whole low word, plus notification codes.
    for (std::uint64_t wParam = 0; wParam < 2 * kAccel; ++wParam) {
        CommandRoute route = RouteCommand(wParam);
        auto it = expected.find(wParam);
        if (it == expected.end()) {
            ASSERT_EQ(route.action, A::None) << "wParam " << wParam << " should do nothing";
        } else {
            ASSERT_EQ(route.action, it->second.action) << "wParam " << wParam;
            ASSERT_EQ(route.argument, it->second.argument) << "wParam " << wParam;
        }
    }
}

TEST(CommandRoutes, NotificationsAndOtherHighWordsDoNothing) {
    for (std::uint64_t high : {2ull, 0x100ull, 0x300ull, 0x400ull, 0xFFFFull, 0x1'0000'0000ull}) {
        for (std::uint64_t id : {101ull, 102ull, 1003ull, 40002ull, 40004ull}) {
            EXPECT_EQ(RouteCommand((high << 16) | id).action, A::None) << high << ":" << id;
        }
    }
}
