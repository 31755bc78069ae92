// The main window as the program builds it, looked at from inside the process: geometry,
// every menu item, the command bar, the status strip, the page on the screen, and the
// close sequence's release of what was built. Each suite runs on a virtual screen of the
// size in its name (see tests/app/CMakeLists.txt); its window is built once per process.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "built_window.h"
#include "main_window.h"
#include "program_harness.h"
#include "resource.h"
#include "shell_state.h"
#include "startup.h"

namespace {

int ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

RECT ChildRect(HWND child) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    GetObjectW(bitmap, sizeof(info), &info);
    return {info.bmWidth, info.bmHeight};
}

// ---------------------------------------------------------------- geometry

void ExpectPageGeometry(int t) {
    HWND window = BuildWindowOnce();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(g_shell.commandBarHeight, t);
    EXPECT_EQ(g_shell.contentHeight, 214 + t);

    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 640);
    EXPECT_EQ(client.bottom, 214 + t) << "the whole page must be visible below the command bar";
    SIZE canvas = BitmapSize(g_shell.canvasBitmap);
    EXPECT_EQ(canvas.cx, 640);
    EXPECT_EQ(canvas.cy, 214 + t);

    ASSERT_EQ(GetDlgItem(window, IDC_TEXT_BOX), g_shell.textBox);
    RECT text = ChildRect(g_shell.textBox);
    EXPECT_EQ(text.left, 29);
    EXPECT_EQ(text.top, 31 + t);
    EXPECT_EQ(text.right - text.left, 275);
    EXPECT_EQ(text.bottom - text.top, 149);
    ASSERT_EQ(GetDlgItem(window, IDC_PLACE_BOX), g_shell.placeBox);
    RECT place = ChildRect(g_shell.placeBox);
    EXPECT_EQ(place.left, 219);
    EXPECT_EQ(place.top, 10 + t);
    EXPECT_EQ(place.right - place.left, 80);

    LOGFONTW font{};
    ASSERT_EQ(reinterpret_cast<HFONT>(SendMessageW(g_shell.textBox, WM_GETFONT, 0, 0)), g_shell.textFont);
    ASSERT_EQ(reinterpret_cast<HFONT>(SendMessageW(g_shell.placeBox, WM_GETFONT, 0, 0)), g_shell.textFont);
    GetObjectW(g_shell.textFont, sizeof(font), &font);
    EXPECT_EQ(font.lfHeight, 13);
    EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET);
}

void ExpectPlaceCodesInRecordOrder() {
    ASSERT_NE(BuildWindowOnce(), nullptr);
    const std::vector<std::wstring> codes = {L"LIB", L"FRND", L"SP", L"SL", L"WK", L"HM", L"TVL", L"OTH"};
    ASSERT_EQ(SendMessageW(g_shell.placeBox, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(codes.size()));
    for (std::size_t i = 0; i < codes.size(); ++i) {
        wchar_t item[16] = {};
        SendMessageW(g_shell.placeBox, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
        EXPECT_EQ(item, codes[i]) << "item " << i;
    }
    EXPECT_EQ(SendMessageW(g_shell.placeBox, CB_SELECTSTRING, -1, reinterpret_cast<LPARAM>(L"TVL")), 6);
    SendMessageW(g_shell.placeBox, CB_SETCURSEL, 0, 0);
}

void ExpectHiddenTopmostStatusStrip() {
    ASSERT_NE(BuildWindowOnce(), nullptr);
    ASSERT_TRUE(IsWindow(g_shell.statusStrip));
    EXPECT_FALSE(IsWindowVisible(g_shell.statusStrip));
    LONG_PTR extended = GetWindowLongPtrW(g_shell.statusStrip, GWL_EXSTYLE);
    EXPECT_TRUE(extended & WS_EX_TOPMOST);
    EXPECT_TRUE(extended & WS_EX_TOOLWINDOW);
    EXPECT_EQ(GetWindow(g_shell.statusStrip, GW_OWNER), nullptr);
}

// ---------------------------------------------------------------- menus

// One line per item: indentation for depth, then "id "label"" and its states, or the
// cascade's label in brackets, or "----" for a separator.
void DescribeMenu(HMENU menu, int depth, std::vector<std::wstring>& lines) {
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU;
        GetMenuItemInfoW(menu, i, TRUE, &info);
        std::wstring label;
        if (!(info.fType & (MFT_OWNERDRAW | MFT_SEPARATOR))) {
            wchar_t text[128] = {};
            MENUITEMINFOW textInfo{};
            textInfo.cbSize = sizeof(textInfo);
            textInfo.fMask = MIIM_STRING;
            textInfo.dwTypeData = text;
            textInfo.cch = std::size(text);
            GetMenuItemInfoW(menu, i, TRUE, &textInfo);
            label = text;
        }
        std::wstring line(static_cast<std::size_t>(depth) * 2, L' ');
        if (info.fType & MFT_SEPARATOR) {
            line += L"----";
        } else if (info.hSubMenu) {
            line += L"[" + label + L"]";
        } else {
            line += std::to_wstring(info.wID);
            if (info.fType & MFT_OWNERDRAW) line += L" owner-drawn";
            else line += L" \"" + label + L"\"";
        }
        bool separator = info.fType & MFT_SEPARATOR;
        if (!separator && (info.fState & MFS_CHECKED)) line += L" checked";
        if (!separator && (info.fState & MFS_GRAYED)) line += L" grey";
        lines.push_back(line);
        if (info.hSubMenu) DescribeMenu(info.hSubMenu, depth + 1, lines);
    }
}

std::vector<std::wstring> Describe(HMENU menu) {
    std::vector<std::wstring> lines;
    DescribeMenu(menu, 0, lines);
    return lines;
}

void ExpectMenu(HMENU menu, const std::vector<std::wstring>& expected) {
    ASSERT_TRUE(IsMenu(menu));
    std::vector<std::wstring> actual = Describe(menu);
    EXPECT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < std::min(actual.size(), expected.size()); ++i) {
        EXPECT_EQ(actual[i], expected[i]) << "line " << i;
    }
}

const std::vector<std::wstring> kMenuBar = {
    L"[2345(&S)]",
    L"  [23(&S)]",
    L"    40007 \"12345(&S)\tCtrl+S\"",
    L"    40008 \"123HTML5(&X)\"",
    L"    ----",
    L"    40033 \"絵を保存する\" checked",
    L"  ----",
    L"  40002 \"閉じる(&C)\tAlt+F4\"",
    L"[234(&K)]",
    L"  40003 \"12345(&P)\tAlt+Z\"",
    L"  40004 \"12345(&N)\tAlt+X\"",
    L"  ----",
    L"  40005 \"12345(&L)\tCtrl+L\"",
    L"[23(&M)]",
    L"  40010 \"1234(&D)\" checked",
    L"  40011 \"1234(&A)\" grey",
    L"  ----",
    L"  40034 \"5555555\" checked",
    L"[1234(&H)]",
    L"  40009 \"Doodlebinderについて(&I)\"",
};

const std::vector<std::wstring> kSystemMenuResource = {
    L"[Dummy]",
    L"  [File    ]",
    L"    [>>]",
    L"      40007 \"Save .dbt text  \"",
    L"      40008 \"HtmlTemplate\"",
    L"      ----",
    L"      40033 \"Cancel\" checked",
    L"    ----",
    L"    40002 \"Exit Program  \"",
    L"  [Pickday]",
    L"    40003 \"Prev Day-\tAlt+Z\"",
    L"    40004 \"Next Day-\tAlt+X\"",
    L"    ----",
    L"    40005 \"SelectDay\tCtrl+L\"",
    L"  [View  ]",
    L"    40010 \"1234(&D)\" checked",
    L"    40011 \"1234(&A)\" grey",
    L"    ----",
    L"    40034 \"Lineson\" checked",
    L"  [PgmInfo ]",
    L"    40009 \"About Doodlebinder  \"",
};

const std::vector<std::wstring> kMoodMenu = {
    L"2000 \"Hap\"", L"2001 \"Norm\"", L"2002 \"Dwn\"", L"2003 \"Sad\"", L"2004 \"Md\"", L"2005 \"Em\"",
};
const std::vector<std::wstring> kWeatherMenu = {
    L"1001 \"Sn\"", L"1002 \"Cld\"", L"1003 \"Rn\"", L"1004 \"Sw\"", L"1005 \"Rain\"",
};
// The mark starts on "S": the pen starts 3 wide.
const std::vector<std::wstring> kWidthMenu = {
    L"4000 \"XL\"", L"4001 \"L\"", L"4002 \"M\"", L"4003 \"S\" checked", L"4004 \"XS\"",
};
const std::vector<std::wstring> kPenTypeMenu = {L"5000 \"Pncl\" checked", L"5001 \"Pen\""};

std::vector<std::wstring> ColourMenu(int depth) {
    std::vector<std::wstring> lines;
    for (int id = 3000; id <= 3015; ++id) {
        lines.push_back(std::wstring(static_cast<std::size_t>(depth) * 2, L' ') + std::to_wstring(id) +
                        L" owner-drawn");
    }
    return lines;
}

std::vector<std::wstring> DrawingMenu() {
    std::vector<std::wstring> lines = {L"[Color]"};
    for (const auto& line : ColourMenu(1)) lines.push_back(line);
    lines.push_back(L"[LnWidth]");
    for (const auto& line : kWidthMenu) lines.push_back(L"  " + line);
    lines.push_back(L"[PenType]");
    for (const auto& line : kPenTypeMenu) lines.push_back(L"  " + line);
    return lines;
}

void ExpectRunTimeMenus() {
    ASSERT_NE(BuildWindowOnce(), nullptr);
    ExpectMenu(g_shell.systemMenuResource, kSystemMenuResource);
    ExpectMenu(g_shell.moodMenu, kMoodMenu);
    ExpectMenu(g_shell.weatherMenu, kWeatherMenu);
    ExpectMenu(g_shell.colourMenu, ColourMenu(0));
    ExpectMenu(g_shell.widthMenu, kWidthMenu);
    ExpectMenu(g_shell.penTypeMenu, kPenTypeMenu);
    ExpectMenu(g_shell.drawingMenu, DrawingMenu());
}

}  // namespace

// ---------------------------------------------------------------- the 240-line layout

TEST(Build640x240, PageGeometryWithoutCommandBar) {
    ExpectPageGeometry(0);
    EXPECT_EQ(g_shell.commandBar, nullptr);
    EXPECT_EQ(GetMenu(g_shell.mainWindow), nullptr);
}
TEST(Build640x240, PlaceCodesInRecordOrder) { ExpectPlaceCodesInRecordOrder(); }
TEST(Build640x240, RunTimeMenus) { ExpectRunTimeMenus(); }
TEST(Build640x240, StatusStripHiddenAndTopmost) { ExpectHiddenTopmostStatusStrip(); }

// ---------------------------------------------------------------- the tall layout

int CommandBarHeightOnScreen() {
    RECT bar;
    GetWindowRect(g_shell.commandBar, &bar);
    MapWindowPoints(nullptr, g_shell.mainWindow, reinterpret_cast<POINT*>(&bar), 2);
    EXPECT_EQ(bar.top, 0) << "the command bar sits at the top of the client area";
    EXPECT_EQ(bar.left, 0);
    return bar.bottom - bar.top;
}

TEST(Build640x480, PageGeometryBelowTheCommandBar) {
    ASSERT_NE(BuildWindowOnce(), nullptr);
    ASSERT_TRUE(IsWindow(g_shell.commandBar));
    int t = CommandBarHeightOnScreen();
    ASSERT_GT(t, 0);
    ExpectPageGeometry(t);
    RECT frame;
    GetWindowRect(g_shell.mainWindow, &frame);
    EXPECT_EQ(frame.top, (ScreenHeight() - (214 + t)) / 2);
    EXPECT_EQ(frame.left, (GetSystemMetrics(SM_CXSCREEN) - 640) / 2);
}
TEST(Build640x480, PlaceCodesInRecordOrder) { ExpectPlaceCodesInRecordOrder(); }
TEST(Build640x480, RunTimeMenus) { ExpectRunTimeMenus(); }
TEST(Build640x480, StatusStripHiddenAndTopmost) { ExpectHiddenTopmostStatusStrip(); }

TEST(Build640x480, MenuBarItems) {
    ASSERT_NE(BuildWindowOnce(), nullptr);
    ExpectMenu(GetMenu(g_shell.mainWindow), kMenuBar);
}

// A click on each button reaches the window as its command with high word 0; the three
// menu buttons open their pop-ups at (247, t), (276, t) and (305, t).
TEST(Build640x480, CommandBarButtonsSendTheirCommands) {
    ASSERT_NE(BuildWindowOnce(), nullptr);
    const struct {
        int command;
        int menuX;  // 0: no pop-up
    } buttons[] = {{IDM_COLOUR_BUTTON, 247}, {IDM_WIDTH_BUTTON, 276}, {IDM_PEN_TYPE_BUTTON, 305},
                   {IDM_RULED_LINES, 0}};
    for (const auto& button : buttons) {
        RECT item{};
        LRESULT index = SendMessageW(g_shell.commandBar, TB_COMMANDTOINDEX, button.command, 0);
        ASSERT_TRUE(SendMessageW(g_shell.commandBar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item)));
        MapWindowPoints(g_shell.commandBar, nullptr, reinterpret_cast<POINT*>(&item), 2);
        g_commandsSeen.clear();
        ClickAt(CentreOf(item));
        OpenedMenu opened = WatchForMenu(800);
        ASSERT_EQ(g_commandsSeen.size(), 1u) << "button " << button.command;
        EXPECT_EQ(g_commandsSeen[0], static_cast<WPARAM>(button.command));
        if (button.menuX == 0) continue;
        POINT expectedCorner{button.menuX, g_shell.commandBarHeight};
        ClientToScreen(g_shell.mainWindow, &expectedCorner);
        ASSERT_TRUE(opened.seen) << "no pop-up for button " << button.command;
        EXPECT_EQ(opened.rect.left, expectedCorner.x) << "button " << button.command;
        EXPECT_EQ(opened.rect.top, expectedCorner.y) << "button " << button.command;
    }
    // The ruled-lines button was pressed once; press it back to where it started.
    ClickAt(CentreOf([] {
        RECT item{};
        LRESULT index = SendMessageW(g_shell.commandBar, TB_COMMANDTOINDEX, IDM_RULED_LINES, 0);
        SendMessageW(g_shell.commandBar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
        MapWindowPoints(g_shell.commandBar, nullptr, reinterpret_cast<POINT*>(&item), 2);
        return item;
    }()));
    PumpMessages(200);
}

// The menu bar opens with the mouse and from the keyboard (Alt, then the mnemonic).
TEST(Build640x480, MenuBarOpensWithMouseAndKeyboard) {
    ASSERT_NE(BuildWindowOnce(), nullptr);
    HMENU bar = GetMenu(g_shell.mainWindow);
    RECT title{};
    ASSERT_TRUE(GetMenuItemRect(g_shell.mainWindow, bar, 1, &title));
    ClickAt(CentreOf(title));
    EXPECT_TRUE(WatchForMenu(800).seen) << "a click on a menu title opened nothing";

    SetForegroundWindow(g_shell.mainWindow);
    SendChord({VK_MENU, 'K'});
    EXPECT_TRUE(WatchForMenu(800).seen) << "Alt+K opened nothing";
}

// ---------------------------------------------------------------- the page on the screen

// What the screen shows is the background picture at (0, t), with the day-step arrows
// drawn on their tap targets (16..28 and 607..619, 178..190).
void ExpectBackgroundOnScreen() {
    ASSERT_NE(BuildWindowOnce(), nullptr);
    RedrawWindow(g_shell.mainWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpMessages(200);
    int t = g_shell.commandBarHeight;

    HDC pictureDc = CreateCompatibleDC(nullptr);
    HBITMAP picture = LoadBitmapW(g_shell.instance, MAKEINTRESOURCEW(IDB_BACKGROUND));
    ASSERT_NE(picture, nullptr);
    SIZE pictureSize = BitmapSize(picture);
    EXPECT_EQ(pictureSize.cx, 640);
    EXPECT_EQ(pictureSize.cy, 218);
    HGDIOBJ old = SelectObject(pictureDc, picture);
    HDC screen = GetDC(nullptr);

    const POINT samples[] = {{22, 184}, {613, 184}, {16, 178}, {28, 190}, {619, 190}, {5, 5},
                             {320, 100}, {470, 200}, {630, 213}, {180, 200}};
    for (POINT page : samples) {
        POINT onScreen{page.x, page.y + t};
        ClientToScreen(g_shell.mainWindow, &onScreen);
        EXPECT_EQ(GetPixel(screen, onScreen.x, onScreen.y), GetPixel(pictureDc, page.x, page.y))
            << "page point (" << page.x << ", " << page.y << ")";
    }
    // The arrows are drawn in ink on the targets' centres, not left as bare paper.
    const COLORREF arrowInk = RGB(96, 56, 8);
    EXPECT_EQ(GetPixel(pictureDc, 22, 184), arrowInk);
    EXPECT_EQ(GetPixel(pictureDc, 613, 184), arrowInk);
    EXPECT_NE(GetPixel(pictureDc, 16, 178), arrowInk);

    ReleaseDC(nullptr, screen);
    SelectObject(pictureDc, old);
    DeleteObject(picture);
    DeleteDC(pictureDc);
}

TEST(Build640x240, BackgroundOnScreen) { ExpectBackgroundOnScreen(); }
TEST(Build640x480, BackgroundOnScreen) { ExpectBackgroundOnScreen(); }

// ---------------------------------------------------------------- the close sequence

struct BuiltObjects {
    std::vector<HGDIOBJ> gdi;
    std::vector<HMENU> menus;
    std::vector<HWND> windows;
    std::vector<HICON> icons;
};

BuiltObjects ObjectsOfTheWindow() {
    BuiltObjects built;
    built.gdi = {g_shell.canvasDc, g_shell.canvasBitmap, g_shell.weatherStripDc, g_shell.weatherStripBitmap,
                 g_shell.moodStripDc, g_shell.moodStripBitmap, g_shell.textFont};
    built.menus = {g_shell.systemMenuResource, g_shell.moodMenu, g_shell.weatherMenu, g_shell.colourMenu,
                   g_shell.widthMenu, g_shell.penTypeMenu, g_shell.drawingMenu};
    built.windows = {g_shell.statusStrip};
    if (g_shell.tallScreen) built.windows.push_back(g_shell.commandBar);
    built.icons = {g_shell.smallIcon, g_shell.largeIcon};
    return built;
}

bool IconAlive(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return false;
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return true;
}

void ExpectAlive(const BuiltObjects& built, bool alive) {
    for (HGDIOBJ object : built.gdi) EXPECT_EQ(GetObjectType(object) != 0, alive) << object;
    for (HMENU menu : built.menus) EXPECT_EQ(IsMenu(menu) != FALSE, alive) << menu;
    for (HWND window : built.windows) EXPECT_EQ(IsWindow(window) != FALSE, alive) << window;
    for (HICON icon : built.icons) EXPECT_EQ(IconAlive(icon), alive) << icon;
}

// Answers the exit question the way a user would, from another thread.
DWORD WINAPI AnswerExitQuestion(void* answer) {
    for (int tries = 0; tries < 200; ++tries) {
        HWND box = FindWindowW(L"#32770", L"Exit");
        if (box) {
            PostMessageW(box, WM_COMMAND, reinterpret_cast<INT_PTR>(answer), 0);
            return 1;
        }
        Sleep(25);
    }
    return 0;
}

// NIM_MODIFY succeeds only for an icon that is in the notification area.
bool NotificationIconShown() {
    NOTIFYICONDATAW record{};
    record.cbSize = sizeof(record);
    record.hWnd = g_shell.mainWindow;
    record.uID = IDI_DOODLEBINDER;
    record.uFlags = NIF_TIP;
    wcscpy(record.szTip, L"Doodlebinder55555");
    return Shell_NotifyIconW(NIM_MODIFY, &record) != FALSE;
}

void ExpectCloseReleasesEverythingOnce() {
    ASSERT_NE(BuildWindowOnce(), nullptr);
    BuiltObjects built = ObjectsOfTheWindow();
    ExpectAlive(built, true);
    EXPECT_TRUE(NotificationIconShown());

    // A cancelled close keeps every object.
    SetWindowTextW(g_shell.textBox, L"not saved yet");
    HANDLE answering = CreateThread(nullptr, 0, AnswerExitQuestion, reinterpret_cast<void*>(IDCANCEL), 0, nullptr);
    CloseProgram(g_shell.mainWindow);
    WaitForSingleObject(answering, 10000);
    DWORD answered = 0;
    GetExitCodeThread(answering, &answered);
    CloseHandle(answering);
    EXPECT_EQ(answered, 1u) << "closing with text did not ask";
    ExpectAlive(built, true);
    EXPECT_TRUE(IsWindow(g_shell.textBox));

    // An empty page closes without a question and releases all of it.
    SetWindowTextW(g_shell.textBox, L"");
    CloseProgram(g_shell.mainWindow);
    ExpectAlive(built, false);
    EXPECT_FALSE(NotificationIconShown()) << "the icon outlived the program";
    // Nothing is left behind to be released a second time.
    BuiltObjects after = ObjectsOfTheWindow();
    for (HGDIOBJ object : after.gdi) EXPECT_EQ(object, nullptr);
    for (HMENU menu : after.menus) EXPECT_EQ(menu, nullptr);
    EXPECT_EQ(g_shell.windowDc, nullptr);
    MSG quit{};
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the message loop was not ended";
    DestroyWindow(g_shell.mainWindow);
}

// Last in each suite: it ends the window.
TEST(Build640x240, ZCloseReleasesEverythingOnce) { ExpectCloseReleasesEverythingOnce(); }
TEST(Build640x480, ZCloseReleasesEverythingOnce) { ExpectCloseReleasesEverythingOnce(); }
