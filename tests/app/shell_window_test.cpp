// The shell's contacts with the user on both layouts, inside one process per screen
// size: taps and hot corners, the system and drawing menus, the toggles and their marks,
// the notification icon's callback, and the About box with its help page.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "built_window.h"
#include "canvas/picture_bytes.h"
#include "canvas/picture_file.h"
#include "canvas/ruled_text_box.h"
#include "daystore/page.h"
#include "help_page.h"
#include "program_harness.h"
#include "resource.h"
#include "shell_state.h"

namespace fs = std::filesystem;

namespace {

int T() { return g_shell.commandBarHeight; }

POINT ScreenPoint(int x, int y) {
    POINT point{x, y};
    ClientToScreen(g_shell.mainWindow, &point);
    return point;
}

void Tap(int x, int y) { SendMessageW(g_shell.mainWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }

OpenedMenu MenuOfTap(int x, int y) {
    return WatchForMenu(300, [x, y] { Tap(x, y); });
}

class Shell : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(BuildWindowOnce(), nullptr);
        g_shell.dataFolder = folder_.Path().u16string();
        g_page.currentDay = {2000, 3, 1, 3};
        SetWindowTextW(g_shell.textBox, L"");
        LoadDay();
    }
    TemporaryFolder folder_{L"shell"};
};

// ---------------------------------------------------------------- taps

// Icons open their menus at the tap point; arrows step days; the drawing area starts a
// stroke with the mouse captured; elsewhere nothing happens.
void ExpectTapActions() {
    OpenedMenu weather = MenuOfTap(196, T() + 30);
    ASSERT_TRUE(weather.seen);
    POINT at = ScreenPoint(196, T() + 30);
    EXPECT_EQ(weather.rect.left, at.x);
    EXPECT_EQ(weather.rect.top, at.y);
    EXPECT_TRUE(MenuOfTap(216, T() + 14).seen) << "mood icon";
    EXPECT_FALSE(MenuOfTap(197, T() + 30).seen);
    EXPECT_FALSE(MenuOfTap(100, T() + 100).seen);

    Tap(16, T() + 178);
    EXPECT_EQ(g_page.currentDay.month, 2);
    EXPECT_EQ(g_page.currentDay.day, 29);
    Tap(619, T() + 190);
    EXPECT_EQ(g_page.currentDay.month, 3);
    EXPECT_EQ(g_page.currentDay.day, 1);
    Tap(620, T() + 190);
    EXPECT_EQ(g_page.currentDay.day, 1);

    Tap(339, T() + 20);
    EXPECT_EQ(GetCapture(), g_shell.mainWindow) << "a stroke starts with the mouse captured";
    SendMessageW(g_shell.mainWindow, WM_LBUTTONUP, 0, 0);
    Tap(338, T() + 20);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Shell, TapActions) { ExpectTapActions(); }

// The hot corners open the system menu and the drawing menu at the window's top corners
// in the 240-line layout, and are no hot corners in the tall one; Alt+M and Alt+P open
// the same menus at the same places.
TEST_F(Shell, CornerMenus) {
    POINT left = ScreenPoint(0, 0);
    POINT right = ScreenPoint(640, 0);
    OpenedMenu system = WatchForMenu(300, [] { SendMessageW(g_shell.mainWindow, WM_COMMAND, FROM_ACCELERATOR + IDM_SYSTEM_MENU, 0); });
    ASSERT_TRUE(system.seen);
    EXPECT_EQ(system.rect.left, left.x);
    EXPECT_EQ(system.rect.top, left.y);
    OpenedMenu drawing = WatchForMenu(300, [] { SendMessageW(g_shell.mainWindow, WM_COMMAND, FROM_ACCELERATOR + IDM_DRAWING_MENU, 0); });
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
        EXPECT_FALSE(MenuOfTap(634, 0).seen);
    }
}

// ---------------------------------------------------------------- toggles

bool Checked(HMENU menu, UINT command) { return (GetMenuState(menu, command, MF_BYCOMMAND) & MF_CHECKED) != 0; }

// The rows of the text box, at a column no text reaches, that show the ruling.
int RuledRowCount() {
    PumpMessages(150);
    HDC dc = GetDC(g_shell.textBox);
    int rows = 0;
    for (int y = 0; y < 149; ++y) rows += GetPixel(dc, 250, y) == RGB(170, 114, 17);
    ReleaseDC(g_shell.textBox, dc);
    return rows;
}

TEST_F(Shell, TogglesAgreeWithTheirMarksEverywhere) {
    HMENU bar = GetMenu(g_shell.mainWindow);
    for (int round = 0; round < 3; ++round) {
        SendMessageW(g_shell.mainWindow, WM_COMMAND, IDM_RULED_LINES, 0);
        SendMessageW(g_shell.mainWindow, WM_COMMAND, IDM_SAVE_PICTURE, 0);
        bool lines = g_ruledLinesOn;
        bool pictures = g_page.savePicture;
        EXPECT_EQ(lines, round % 2 == 1) << "round " << round;
        EXPECT_EQ(pictures, round % 2 == 1) << "round " << round;
        EXPECT_EQ(Checked(g_shell.systemMenuResource, IDM_RULED_LINES), lines);
        EXPECT_EQ(Checked(g_shell.systemMenuResource, IDM_SAVE_PICTURE), pictures);
        if (bar) {
            EXPECT_EQ(Checked(bar, IDM_RULED_LINES), lines);
            EXPECT_EQ(Checked(bar, IDM_SAVE_PICTURE), pictures);
            EXPECT_EQ(SendMessageW(g_shell.commandBar, TB_ISBUTTONCHECKED, IDM_RULED_LINES, 0) != 0, lines);
        }
        if (lines) {
            EXPECT_GE(RuledRowCount(), 10) << "the lines come back at once";
        } else {
            EXPECT_EQ(RuledRowCount(), 0) << "the lines go at once";
        }
    }
    SendMessageW(g_shell.mainWindow, WM_COMMAND, IDM_RULED_LINES, 0);
    SendMessageW(g_shell.mainWindow, WM_COMMAND, IDM_SAVE_PICTURE, 0);
    EXPECT_TRUE(g_ruledLinesOn && g_page.savePicture);
}

void WhitenPicture() {
    RECT frame{334, T() + 15, 607, T() + 185};
    FillRect(g_shell.canvasDc, &frame, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

// A page whose picture was rubbed out would delete the day's BMP at the next day change;
// with picture saving off the file stays as it was.
TEST_F(Shell, WithPictureSavingOffADayChangeLeavesTheBmp) {
    fs::path bmp = folder_.Path() / L"20000301.bmp";
    std::vector<std::uint8_t> black = PictureFileBytes(std::vector<std::uint8_t>(kPicturePixelBytes, 0x00));
    std::ofstream(bmp, std::ios::binary).write(reinterpret_cast<const char*>(black.data()),
                                               static_cast<std::streamsize>(black.size()));
    LoadDay();
    ASSERT_FALSE(IsPictureBlank());
    WhitenPicture();
    SendMessageW(g_shell.mainWindow, WM_COMMAND, IDM_SAVE_PICTURE, 0);
    ASSERT_FALSE(g_page.savePicture);
    SendMessageW(g_shell.mainWindow, WM_COMMAND, IDM_NEXT_DAY, 0);
    EXPECT_EQ(FileBytes(bmp), black);

    SendMessageW(g_shell.mainWindow, WM_COMMAND, IDM_SAVE_PICTURE, 0);
    SendMessageW(g_shell.mainWindow, WM_COMMAND, IDM_PREVIOUS_DAY, 0);
    WhitenPicture();
    SendMessageW(g_shell.mainWindow, WM_COMMAND, IDM_NEXT_DAY, 0);
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

struct AboutSeen {
    bool opened = false;
    std::wstring version, target;
    bool buttonsInside = false;
    RECT dialog{};
    std::wstring messages;   // message boxes shown over it, "caption|text" each
    bool stillOpen = false;
};

HWND FindAbout() {
    for (int tries = 0; tries < 200; ++tries) {
        HWND dialog = FindWindowW(L"#32770", L"DoodlebinderHPC ");
        if (dialog && IsWindowVisible(dialog)) return dialog;
        Sleep(25);
    }
    return nullptr;
}

// Presses HELP `helpPresses` times from another thread, answering any message box, and
// then OK.
std::thread WorkAbout(AboutSeen& seen, int helpPresses) {
    return std::thread([&seen, helpPresses] {
        HWND dialog = FindAbout();
        if (!dialog) return;
        seen.opened = true;
        GetWindowRect(dialog, &seen.dialog);
        seen.version = WindowText(FindWindowExW(dialog, nullptr, L"Static", L"Doodlebinder v2.16"));
        seen.target = WindowText(FindWindowExW(dialog, nullptr, L"Static", L"Written for HPCs "));
        RECT client, help, ok;
        GetClientRect(dialog, &client);
        GetWindowRect(GetDlgItem(dialog, IDC_HELP_BUTTON), &help);
        GetWindowRect(GetDlgItem(dialog, IDOK), &ok);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&help), 2);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&ok), 2);
        seen.buttonsInside = IsWindowVisible(GetDlgItem(dialog, IDOK)) && help.right <= ok.left &&
                             ok.right <= client.right && ok.bottom <= client.bottom;
        for (int press = 0; press < helpPresses; ++press) {
            // Posted: the HELP press may wait in a message box that this thread answers.
            PostMessageW(GetDlgItem(dialog, IDC_HELP_BUTTON), BM_CLICK, 0, 0);
            Sleep(500);
            for (HWND box = nullptr; (box = FindWindowExW(nullptr, box, L"#32770", nullptr));) {
                if (box == dialog || !IsWindowVisible(box)) continue;
                seen.messages += WindowText(box) + L"|" + WindowText(GetDlgItem(box, 0xFFFF)) + L"\n";
                PostMessageW(box, WM_COMMAND, IDOK, 0);
                Sleep(200);
                break;
            }
        }
        seen.stillOpen = IsWindowVisible(dialog) != FALSE;
        PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    });
}

TEST_F(Shell, AboutBoxCentredWithItsTextsAndOk) {
    AboutSeen seen;
    std::thread worker = WorkAbout(seen, 0);
    SendMessageW(g_shell.mainWindow, WM_COMMAND, IDM_ABOUT, 0);
    worker.join();
    ASSERT_TRUE(seen.opened);
    EXPECT_EQ(seen.version, L"Doodlebinder v2.16");
    EXPECT_EQ(seen.target, L"Written for HPCs ");
    EXPECT_TRUE(seen.buttonsInside) << "OK must be visible beside HELP";
    RECT main;
    GetWindowRect(g_shell.mainWindow, &main);
    EXPECT_EQ(seen.dialog.left, main.left + ((main.right - main.left) - (seen.dialog.right - seen.dialog.left)) / 2);
    EXPECT_EQ(seen.dialog.top, main.top + ((main.bottom - main.top) - (seen.dialog.bottom - seen.dialog.top)) / 2);
    EXPECT_EQ(FindWindowW(L"#32770", L"DoodlebinderHPC "), nullptr) << "OK closed the box";
}

// Without a viewer beside the program, HELP writes the page, tells the user, and the box
// stays open; a second press rewrites the page.
TEST_F(Shell, HelpWithoutAViewerWritesThePageAndTells) {
    AboutSeen seen;
    std::thread worker = WorkAbout(seen, 2);
    SendMessageW(g_shell.mainWindow, WM_COMMAND, IDM_ABOUT, 0);
    worker.join();
    EXPECT_EQ(seen.messages, L"Err|PEGHELP.EXEの起動にjjjました\nErr|PEGHELP.EXEの起動にjjjました\n");
    EXPECT_TRUE(seen.stillOpen);
    EXPECT_EQ(FileBytes(folder_.Path() / L"DoodBind.htp"), HelpPageBytes());
}

TEST_F(Shell, HelpStartsTheViewerBesideTheProgramOnThePage) {
    fs::copy_file(TestProgramFolder() / L"command_line_probe.exe", folder_.Path() / L"peghelp.exe");
    AboutSeen seen;
    std::thread worker = WorkAbout(seen, 1);
    SendMessageW(g_shell.mainWindow, WM_COMMAND, IDM_ABOUT, 0);
    worker.join();
    EXPECT_EQ(seen.messages, L"");
    fs::path report = folder_.Path() / L"command-line.txt";
    for (int tries = 0; tries < 100 && !fs::exists(report); ++tries) Sleep(50);
    std::vector<std::uint8_t> bytes = FileBytes(report);
    std::wstring commandLine(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
    std::wstring folder = folder_.Path().wstring();
    EXPECT_EQ(commandLine, L"\"" + folder + L"\\peghelp.exe\" \"" + folder + L"\\DoodBind.htp\"");
}

}  // namespace
