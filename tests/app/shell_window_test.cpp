// The shell's contacts with the user on both layouts, inside one process per screen
// size: taps and hot corners, the system and drawing menus, the toggles and their marks,
// the notification icon's callback, and the About box with its help page.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <filesystem>

#include "built_window.h"
#include "canvas/picture_bytes.h"
#include "canvas/picture_file.h"
#include "canvas/ruled_text_box.h"
#include "daystore/page.h"
#include "help_page.h"
#include "platform/file_write.h"
#include "program_harness.h"
#include "resource.h"
#include "shell_state.h"

namespace fs = std::filesystem;

namespace {

POINT ScreenPoint(int x, int y) {
    POINT point{x, y};
    ClientToScreen(g_shell.mainWindow, &point);
    return point;
}

void Tap(int x, int y) { SendMessageW(g_shell.mainWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }

OpenedMenu MenuOfTap(int x, int y) {
    return WatchForMenu(300, [x, y] { Tap(x, y); });
}

OpenedMenu MenuOfCommand(WPARAM command) {
    return WatchForMenu(300, [command] { Command(command); });
}

class Shell : public OnBuiltWindow {
protected:
    void SetUp() override {
        OnBuiltWindow::SetUp();
        OpenDay({2000, 3, 1, 3});
    }
};

// ---------------------------------------------------------------- taps and corners

// Each region's action at t below the top (its edges are checked by TapRegions): icons
// open their menus at the tap point, arrows step days, the drawing area starts a stroke
// with the mouse captured; elsewhere nothing happens.
TEST_F(Shell, TapActions) {
    OpenedMenu weather = MenuOfTap(196, T() + 30);
    ASSERT_TRUE(weather.seen);
    POINT at = ScreenPoint(196, T() + 30);
    EXPECT_EQ(weather.rect.left, at.x);
    EXPECT_EQ(weather.rect.top, at.y);
    EXPECT_TRUE(MenuOfTap(216, T() + 14).seen) << "mood icon";
    EXPECT_FALSE(MenuOfTap(100, T() + 100).seen);

    Tap(16, T() + 178);
    EXPECT_EQ(g_page.currentDay.month, 2);
    EXPECT_EQ(g_page.currentDay.day, 29);
    Tap(619, T() + 190);
    EXPECT_EQ(g_page.currentDay.month, 3);
    EXPECT_EQ(g_page.currentDay.day, 1);

    Tap(339, T() + 20);
    EXPECT_EQ(GetCapture(), g_shell.mainWindow) << "a stroke starts with the mouse captured";
    SendMessageW(g_shell.mainWindow, WM_LBUTTONUP, 0, 0);
}

// The hot corners open the system menu and the drawing menu at the window's top corners
// in the 240-line layout, and are no hot corners in the tall one; Alt+M and Alt+P open
// the same menus at the same places.
TEST_F(Shell, CornerMenus) {
    POINT left = ScreenPoint(0, 0);
    POINT right = ScreenPoint(640, 0);
    OpenedMenu system = MenuOfCommand(FROM_ACCELERATOR + IDM_SYSTEM_MENU);
    ASSERT_TRUE(system.seen);
    EXPECT_EQ(system.rect.left, left.x);
    EXPECT_EQ(system.rect.top, left.y);
    OpenedMenu drawing = MenuOfCommand(FROM_ACCELERATOR + IDM_DRAWING_MENU);
    ASSERT_TRUE(drawing.seen);
    EXPECT_EQ(drawing.rect.top, right.y);
    // Against the screen's right edge the menu opens to the left of the point.
    EXPECT_TRUE(drawing.rect.left == right.x || drawing.rect.right <= right.x + 1) << drawing.rect.left;

    if (g_shell.tallScreen) {
        EXPECT_FALSE(MenuOfTap(2, T() + 2).seen) << "no hot corner under a command bar";
        EXPECT_FALSE(MenuOfTap(639, T()).seen);
    } else {
        OpenedMenu corner = MenuOfTap(2, 2);
        ASSERT_TRUE(corner.seen);
        EXPECT_EQ(corner.rect.left, 0);
        EXPECT_EQ(corner.rect.top, 0);
        EXPECT_TRUE(MenuOfTap(639, 0).seen);
    }
}

// ---------------------------------------------------------------- toggles

TEST_F(Shell, TogglesAgreeWithTheirMarksEverywhere) {
    HMENU bar = GetMenu(g_shell.mainWindow);
    for (int round = 0; round < 3; ++round) {
        Command(IDM_RULED_LINES);
        Command(IDM_SAVE_PICTURE);
        bool lines = g_ruledLinesOn;
        bool pictures = g_page.savePicture;
        EXPECT_EQ(lines, round % 2 == 1) << "round " << round;
        EXPECT_EQ(pictures, round % 2 == 1) << "round " << round;
        EXPECT_EQ(MenuChecked(g_shell.systemMenuResource, IDM_RULED_LINES), lines);
        EXPECT_EQ(MenuChecked(g_shell.systemMenuResource, IDM_SAVE_PICTURE), pictures);
        if (bar) {
            EXPECT_EQ(MenuChecked(bar, IDM_RULED_LINES), lines);
            EXPECT_EQ(MenuChecked(bar, IDM_SAVE_PICTURE), pictures);
            EXPECT_EQ(SendMessageW(g_shell.commandBar, TB_ISBUTTONCHECKED, IDM_RULED_LINES, 0) != 0, lines);
        }
        if (lines) {
            EXPECT_GE(RuledRows().size(), 10u) << "the lines come back at once";
        } else {
            EXPECT_TRUE(RuledRows().empty()) << "the lines go at once";
        }
    }
    Command(IDM_RULED_LINES);
    Command(IDM_SAVE_PICTURE);
    EXPECT_TRUE(g_ruledLinesOn && g_page.savePicture);
}

// A page whose picture was rubbed out would delete the day's BMP at the next day change;
// with picture saving off the file stays as it was.
TEST_F(Shell, WithPictureSavingOffADayChangeLeavesTheBmp) {
    fs::path bmp = File(L"20000301.bmp");
    std::vector<std::uint8_t> black = PictureFileBytes(std::vector<std::uint8_t>(kPicturePixelBytes, 0x00));
    ASSERT_EQ(WriteFileSafely(bmp, black), WriteStatus::Ok);
    LoadDay();
    ASSERT_FALSE(IsPictureBlank());
    WhitenPictureFrame();
    Command(IDM_SAVE_PICTURE);
    ASSERT_FALSE(g_page.savePicture);
    Command(IDM_NEXT_DAY);
    EXPECT_EQ(FileBytes(bmp), black);

    Command(IDM_SAVE_PICTURE);
    Command(IDM_PREVIOUS_DAY);
    WhitenPictureFrame();
    Command(IDM_NEXT_DAY);
    EXPECT_FALSE(fs::exists(bmp)) << "with saving on, the rubbed-out picture is deleted";
}

// ---------------------------------------------------------------- notification icon

TEST_F(Shell, NotificationIconOpensTheSystemMenuAtThePointer) {
    POINT pointer = ScreenPoint(300, 120);
    SetCursorPos(pointer.x, pointer.y);
    for (LPARAM mouse : {LPARAM{WM_LBUTTONDOWN}, LPARAM{WM_RBUTTONUP}}) {
        OpenedMenu menu = WatchForMenu(300, [mouse] {
            SendMessageW(g_shell.mainWindow, WM_NOTIFICATION_ICON, IDI_DOODLEBINDER, mouse);
        });
        ASSERT_TRUE(menu.seen) << mouse;
        EXPECT_EQ(menu.rect.bottom, pointer.y) << "the menu stands on the pointer";
        EXPECT_EQ(menu.rect.left, pointer.x);
    }
    for (auto [id, mouse] : {std::pair<WPARAM, LPARAM>{IDI_DOODLEBINDER, WM_LBUTTONUP},
                             {IDI_DOODLEBINDER, WM_LBUTTONDBLCLK}, {IDI_DOODLEBINDER + 1, WM_LBUTTONDOWN}}) {
        EXPECT_FALSE(WatchForMenu(300, [id, mouse] {
                         SendMessageW(g_shell.mainWindow, WM_NOTIFICATION_ICON, id, mouse);
                     }).seen)
            << id << " " << mouse;
    }
}

// ---------------------------------------------------------------- About and help

constexpr wchar_t kAboutCaption[] = L"DoodlebinderHPC ";

// Presses the About box's HELP and tells the message box it brought, if any.
std::wstring PressHelp(HWND about) {
    return MessagesShownBy([about] { PostMessageW(GetDlgItem(about, IDC_HELP_BUTTON), BM_CLICK, 0, 0); });
}

// The box is centred over the window with its texts; without a viewer beside the
// program, HELP writes the page, tells the user, and the box stays open until OK, each
// press rewriting the page.
TEST_F(Shell, AboutBoxAndHelpWithoutAViewer) {
    RECT box{};
    bool texts = false, buttons = false, stillOpen = false;
    std::wstring messages;
    ASSERT_TRUE(WorkDialog(IDM_ABOUT, kAboutCaption, [&](HWND about) {
        GetWindowRect(about, &box);
        texts = FindWindowExW(about, nullptr, L"Static", L"Doodlebinder v2.16") &&
                FindWindowExW(about, nullptr, L"Static", L"Written for HPCs ");
        buttons = ButtonsInside(about, IDC_HELP_BUTTON, IDOK);
        messages = PressHelp(about) + L"\n" + PressHelp(about);
        stillOpen = IsWindowVisible(about);
        PressDialogButton(about, IDOK);
    }));
    EXPECT_TRUE(texts);
    EXPECT_TRUE(buttons) << "OK must be visible beside HELP";
    RECT main;
    GetWindowRect(g_shell.mainWindow, &main);
    EXPECT_EQ(box.left, main.left + ((main.right - main.left) - (box.right - box.left)) / 2);
    EXPECT_EQ(box.top, main.top + ((main.bottom - main.top) - (box.bottom - box.top)) / 2);
    EXPECT_EQ(messages, L"Err|PEGHELP.EXEの起動にjjjました\nErr|PEGHELP.EXEの起動にjjjました");
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(FindWindowW(L"#32770", kAboutCaption), nullptr) << "OK closed the box";
    EXPECT_EQ(FileBytes(File(L"DoodBind.htp")), HelpPageBytes());
}

TEST_F(Shell, HelpStartsTheViewerBesideTheProgramOnThePage) {
    fs::copy_file(TestProgramFolder() / L"command_line_probe.exe", File(L"peghelp.exe"));
    std::wstring messages;
    ASSERT_TRUE(WorkDialog(IDM_ABOUT, kAboutCaption, [&](HWND about) {
        messages = PressHelp(about);
        PressDialogButton(about, IDOK);
    }));
    EXPECT_EQ(messages, L"");
    std::wstring folder = folder_.Path().wstring();
    EXPECT_EQ(Utf16FileText(File(L"command-line.txt")),
              L"\"" + folder + L"\\peghelp.exe\" \"" + folder + L"\\DoodBind.htp\"");
}

}  // namespace
