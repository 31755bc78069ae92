// Nothing but the menus' and the accelerator table's commands reaches an action.
#include <gtest/gtest.h>

#include <cstdint>

#include "command_routes.h"

namespace {

constexpr std::uint64_t kAccel = 65536;

TEST(CommandRoutes, NeighboursOtherHighWordsAndNotificationsDoNothing) {
    // Beside each command, the key-only menus without their high word, keys of no command.
    for (std::uint64_t wParam :
         {1000ull,           1006ull,           1999ull,          2006ull,          2999ull,          3016ull,
          3998ull,           4005ull,           4998ull,          5002ull,          5998ull,          6000ull,
          40001ull,          40006ull,          40010ull,         40011ull,         40012ull,         40013ull,
          40014ull,          40032ull,          40035ull,         40060ull,         40065ull,         40069ull,
          kAccel + 40061ull, kAccel + 40067ull, kAccel + 1003ull, kAccel + 2000ull, kAccel + 3999ull, kAccel + 40006ull,
          kAccel + 40009ull, kAccel + 40033ull, kAccel + 40034ull}) {
        EXPECT_EQ(RouteCommand(wParam).action, CommandAction::None) << wParam;
    }
    for (std::uint64_t high : {2ull, 0x100ull, 0x300ull, 0x400ull, 0xFFFFull, 0x1'0000'0000ull}) {
        for (std::uint64_t id : {101ull, 102ull, 1003ull, 40002ull, 40004ull}) {
            const bool textTyped = high == 0x300 && id == 101;  // EN_CHANGE of the text box
            EXPECT_EQ(RouteCommand((high << 16) | id).action,
                      textTyped ? CommandAction::TextTyped : CommandAction::None)
                << high << ":" << id;
        }
    }
    EXPECT_EQ(RouteCommand((1ull << 16) | 102).action, CommandAction::PlaceChosen) << "CBN_SELCHANGE of the place box";
    EXPECT_EQ(RouteCommand(40068).action, CommandAction::SetWeekStart);
    EXPECT_EQ(RouteCommand(40068).argument, 2) << "as Windows";
}

}  // namespace
