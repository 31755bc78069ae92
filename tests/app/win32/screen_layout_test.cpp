// The program on a screen too small for it says so and ends; each suite runs on a virtual
// screen of the size in its name.
#include <gtest/gtest.h>

#include "program_harness.h"

namespace {

void ExpectRefusal(int width, int height) {
    ASSERT_EQ(std::pair(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)), std::pair(width, height))
        << "the test runs on the wrong virtual screen";
    ScratchFolder folder;
    DiaryProgram program(folder.Path());
    EXPECT_EQ(MessagesShownBy([&] { ASSERT_TRUE(program.Start(false)); }), L"Err|640x240222222222222222");
    EXPECT_EQ(program.WaitForExit(), 0u);
}

}  // namespace

TEST(Screen640x239, RefusesTooLowScreen) { ExpectRefusal(640, 239); }

TEST(Screen639x480, RefusesTooNarrowScreen) { ExpectRefusal(639, 480); }
