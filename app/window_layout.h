// The two page layouts and how the screen size picks one.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

constexpr int kPageWidth = 640;
constexpr int kPageHeight = 214;  // height of the page image without a command bar
constexpr int kMinScreenWidth = 640;
constexpr int kMinScreenHeight = 240;

// Window styles of the two layouts. The 240-line one is a pop-up: a desktop top-level
// window without WS_POPUP always gets a caption and border, which would cut the page.
// The tall layout is the frame of a fixed-size desktop window: it can be minimized, but
// not maximized, since the page cannot grow.
constexpr std::uint32_t kTallScreenStyle = 0x10CA0000;  // WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX
constexpr std::uint32_t kLineScreenStyle = 0x90000000;  // WS_POPUP | WS_VISIBLE

struct WindowLayout {
    bool fits = false;        // false: the screen is below 640 x 240 and the program must not start
    bool tallScreen = false;  // caption and command bar; otherwise the 240-line layout
    int x = 0;
    int y = 0;
    std::uint32_t style = 0;
};

WindowLayout ChooseLayoutForScreen(int screenWidth, int screenHeight);

// Top of the window in the tall layout once the content height is known (214 + command bar).
int CentredWindowY(int screenHeight, int contentHeight);

// The executable's folder: everything before the last backslash. A path without a
// backslash has no folder, and gives an empty one.
std::u16string ProgramFolderOf(std::u16string_view modulePath);
