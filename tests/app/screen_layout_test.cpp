// The program on real screens of the sizes a user may have. Each suite runs on a virtual
// screen of the size in its name (see tests/app/CMakeLists.txt).
#include <gtest/gtest.h>

#include "program_harness.h"

namespace {

struct WindowPlacement {
    RECT frame;
    RECT client;
    LONG_PTR style;
};

WindowPlacement PlacementOf(HWND window) {
    WindowPlacement placement{};
    GetWindowRect(window, &placement.frame);
    GetClientRect(window, &placement.client);
    placement.style = GetWindowLongPtrW(window, GWL_STYLE);
    return placement;
}

void ExpectScreen(int width, int height) {
    ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), width) << "the test runs on the wrong virtual screen";
    ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), height) << "the test runs on the wrong virtual screen";
}

// Tall screens: a captioned window whose client area is the whole page, centred
// horizontally and placed at (screen height - (214 + t)) / 2, t being the command bar's height.
void ExpectTallLayout(int screenWidth, int screenHeight) {
    ExpectScreen(screenWidth, screenHeight);
    TemporaryFolder folder;
    DiaryProgram program(folder.Path());
    ASSERT_TRUE(program.Start());
    WindowPlacement placement = PlacementOf(program.Window());
    HWND commandBar = FindWindowExW(program.Window(), nullptr, L"ToolbarWindow32", nullptr);
    ASSERT_NE(commandBar, nullptr);
    RECT bar;
    GetWindowRect(commandBar, &bar);
    int t = bar.bottom - bar.top;
    EXPECT_GT(t, 0);
    EXPECT_EQ(placement.client.right, 640);
    EXPECT_EQ(placement.client.bottom, 214 + t);
    EXPECT_EQ(placement.frame.left, (screenWidth - 640) / 2);
    EXPECT_EQ(placement.frame.top, (screenHeight - (214 + t)) / 2);
    EXPECT_EQ(placement.style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(placement.style & WS_SYSMENU);
    EXPECT_EQ(WindowText(program.Window()), L"Doodlebinder v2.16");
    program.PostClose();
    EXPECT_EQ(program.WaitForExit(), 0u);
}

void ExpectRefusal() {
    TemporaryFolder folder;
    DiaryProgram program(folder.Path());
    ASSERT_TRUE(program.Launch());
    auto box = program.WaitForMessageBox();
    ASSERT_TRUE(box.has_value()) << "no message box before the program ended";
    EXPECT_EQ(box->caption, L"Err");
    EXPECT_EQ(box->text, L"640x240222222222222222");
    PressDialogButton(box->window, IDOK);
    EXPECT_EQ(program.WaitForExit(), 0u);
}

}  // namespace

TEST(Screen640x240, LineLayoutFillsTheScreenTopWithoutCaption) {
    ExpectScreen(640, 240);
    TemporaryFolder folder;
    DiaryProgram program(folder.Path());
    ASSERT_TRUE(program.Start());
    WindowPlacement placement = PlacementOf(program.Window());
    EXPECT_EQ(placement.frame.left, 0);
    EXPECT_EQ(placement.frame.top, 0);
    EXPECT_EQ(placement.frame.right, 640);
    EXPECT_EQ(placement.frame.bottom, 214);
    EXPECT_EQ(placement.client.right, 640);
    EXPECT_EQ(placement.client.bottom, 214);
    EXPECT_EQ(placement.style & WS_CAPTION, 0);
    EXPECT_EQ(placement.style & WS_BORDER, 0);
    EXPECT_TRUE(placement.style & WS_POPUP);
    program.PostClose();
    EXPECT_EQ(program.WaitForExit(), 0u);
}

TEST(Screen640x480, TallLayout) { ExpectTallLayout(640, 480); }
TEST(Screen800x600, TallLayout) { ExpectTallLayout(800, 600); }

TEST(Screen640x239, RefusesTooLowScreen) {
    ExpectScreen(640, 239);
    ExpectRefusal();
}

TEST(Screen639x480, RefusesTooNarrowScreen) {
    ExpectScreen(639, 480);
    ExpectRefusal();
}
