// The program on screens of the sizes where it must fill the top or refuse to start;
// tall screens are in program_lifecycle_test. Each suite runs on a virtual screen of the
// size in its name (see tests/app/CMakeLists.txt).
#include <gtest/gtest.h>

#include "program_harness.h"

namespace {

void ExpectScreen(int width, int height) {
    ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), width) << "the test runs on the wrong virtual screen";
    ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), height) << "the test runs on the wrong virtual screen";
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
    RECT frame, client;
    GetWindowRect(program.Window(), &frame);
    GetClientRect(program.Window(), &client);
    EXPECT_EQ(frame.left, 0);
    EXPECT_EQ(frame.top, 0);
    EXPECT_EQ(frame.right, 640);
    EXPECT_EQ(frame.bottom, 214);
    EXPECT_EQ(client.right, 640);
    EXPECT_EQ(client.bottom, 214);
    LONG_PTR style = GetWindowLongPtrW(program.Window(), GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, 0);
    EXPECT_EQ(style & WS_BORDER, 0);
    EXPECT_TRUE(style & WS_POPUP);
    program.PostClose();
    EXPECT_EQ(program.WaitForExit(), 0u);
}

TEST(Screen640x239, RefusesTooLowScreen) {
    ExpectScreen(640, 239);
    ExpectRefusal();
}

TEST(Screen639x480, RefusesTooNarrowScreen) {
    ExpectScreen(639, 480);
    ExpectRefusal();
}
