// The main window as the program builds it, looked at from inside the process: the page
// and what the screen shows of it, the menus, the command bar, the status strip, and the
// close sequence's release of what was built. Each suite runs on a virtual screen of the
// size in its name (see tests/app/CMakeLists.txt); its window is built once per process.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <set>
#include <string>
#include <vector>

#include "built_window.h"
#include "canvas/pens.h"
#include "canvas/ruled_text_box.h"
#include "command_routes.h"
#include "daystore/page.h"
#include "main_window.h"
#include "program_harness.h"
#include "resource.h"
#include "shell_state.h"

namespace {

RECT ChildRect(HWND child) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// ---------------------------------------------------------------- the page

// The client area and the canvas are the whole page, 640 x (214 + t); the text and place
// boxes sit at their places below t with their Shift-JIS font; and the screen shows the
// background picture at (0, t), with the day-step arrows drawn on their tap targets
// (16..28 and 607..619, 178..190).
void ExpectPage(int t) {
    HWND window = BuildWindowOnce();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(g_shell.commandBarHeight, t);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 640);
    EXPECT_EQ(client.bottom, 214 + t) << "the whole page must be visible below the command bar";
    BITMAP canvas{};
    GetObjectW(g_shell.canvasBitmap, sizeof(canvas), &canvas);
    EXPECT_EQ(canvas.bmWidth, 640);
    EXPECT_EQ(canvas.bmHeight, 214 + t);

    RECT text = ChildRect(GetDlgItem(window, IDC_TEXT_BOX));
    EXPECT_EQ(text.left, 29);
    EXPECT_EQ(text.top, 31 + t);
    EXPECT_EQ(text.right - text.left, 275);
    EXPECT_EQ(text.bottom - text.top, 149);
    RECT place = ChildRect(GetDlgItem(window, IDC_PLACE_BOX));
    EXPECT_EQ(place.left, 219);
    EXPECT_EQ(place.top, 10 + t);
    EXPECT_EQ(place.right - place.left, 80);
    LOGFONTW font{};
    ASSERT_EQ(reinterpret_cast<HFONT>(SendMessageW(g_shell.textBox, WM_GETFONT, 0, 0)), g_shell.textFont);
    ASSERT_EQ(reinterpret_cast<HFONT>(SendMessageW(g_shell.placeBox, WM_GETFONT, 0, 0)), g_shell.textFont);
    GetObjectW(g_shell.textFont, sizeof(font), &font);
    EXPECT_EQ(font.lfHeight, 13);
    EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET);

    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpMessages(200);
    HDC pictureDc = CreateCompatibleDC(nullptr);
    HBITMAP picture = LoadBitmapW(g_shell.instance, MAKEINTRESOURCEW(IDB_BACKGROUND));
    ASSERT_NE(picture, nullptr);
    HGDIOBJ old = SelectObject(pictureDc, picture);
    HDC screen = GetDC(nullptr);
    const POINT samples[] = {{22, 184}, {613, 184}, {16, 178}, {28, 190}, {619, 190}, {5, 5},
                             {320, 100}, {470, 200}, {630, 213}, {180, 200}};
    for (POINT page : samples) {
        POINT onScreen{page.x, page.y + t};
        ClientToScreen(window, &onScreen);
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

// A cancelled close keeps every object; an empty page closes without a question and
// releases all of it, leaving nothing to be released a second time.
void ExpectCloseReleasesEverythingOnce() {
    ASSERT_NE(BuildWindowOnce(), nullptr);
    BuiltObjects built = ObjectsOfTheWindow();
    ExpectAlive(built, true);
    EXPECT_TRUE(NotificationIconShown());

    SetWindowTextW(g_shell.textBox, L"not saved yet");
    EXPECT_EQ(MessagesShownBy([] { CloseProgram(g_shell.mainWindow); }, {IDCANCEL}), L"Exit|Save Current Changes")
        << "closing with text did not ask";
    ExpectAlive(built, true);
    EXPECT_TRUE(IsWindow(g_shell.textBox));

    SetWindowTextW(g_shell.textBox, L"");
    CloseProgram(g_shell.mainWindow);
    ExpectAlive(built, false);
    EXPECT_FALSE(NotificationIconShown()) << "the icon outlived the program";
    BuiltObjects after = ObjectsOfTheWindow();
    for (HGDIOBJ object : after.gdi) EXPECT_EQ(object, nullptr);
    for (HMENU menu : after.menus) EXPECT_EQ(menu, nullptr);
    EXPECT_EQ(g_shell.windowDc, nullptr);
    MSG quit{};
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the message loop was not ended";
    DestroyWindow(g_shell.mainWindow);
}

// ---------------------------------------------------------------- menus

// The command items of a menu and its cascades, in order.
std::vector<UINT> CommandItems(HMENU menu) {
    std::vector<UINT> ids;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (HMENU cascade = GetSubMenu(menu, i)) {
            std::vector<UINT> inner = CommandItems(cascade);
            ids.insert(ids.end(), inner.begin(), inner.end());
        } else if (!(GetMenuState(menu, i, MF_BYPOSITION) & MF_SEPARATOR)) {
            ids.push_back(GetMenuItemID(menu, i));
        }
    }
    return ids;
}

std::wstring Label(HMENU menu, UINT command) {
    wchar_t text[64] = {};
    GetMenuStringW(menu, command, text, std::size(text), MF_BYCOMMAND);
    return text;
}

}  // namespace

// ---------------------------------------------------------------- the 240-line layout

TEST(Build640x240, PageWithoutCommandBar) {
    ExpectPage(0);
    EXPECT_EQ(g_shell.commandBar, nullptr);
    EXPECT_EQ(GetMenu(g_shell.mainWindow), nullptr);
}

// Last in each suite: it ends the window.
TEST(Build640x240, ZCloseReleasesEverythingOnce) { ExpectCloseReleasesEverythingOnce(); }

// ---------------------------------------------------------------- the tall layout

TEST(Build640x480, PageBelowTheCommandBar) {
    ASSERT_NE(BuildWindowOnce(), nullptr);
    ASSERT_TRUE(IsWindow(g_shell.commandBar));
    RECT bar = ChildRect(g_shell.commandBar);
    EXPECT_EQ(bar.top, 0) << "the command bar sits at the top of the client area";
    EXPECT_EQ(bar.left, 0);
    ASSERT_GT(bar.bottom, 0);
    ExpectPage(bar.bottom);
}

// The place box lists the codes in the order their indexes are stored in records.
TEST(Build640x480, PlaceCodesInRecordOrder) {
    ASSERT_NE(BuildWindowOnce(), nullptr);
    const std::vector<std::wstring> codes = {L"LIB", L"FRND", L"SP", L"SL", L"WK", L"HM", L"TVL", L"OTH"};
    ASSERT_EQ(SendMessageW(g_shell.placeBox, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(codes.size()));
    for (std::size_t i = 0; i < codes.size(); ++i) {
        wchar_t item[16] = {};
        SendMessageW(g_shell.placeBox, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
        EXPECT_EQ(item, codes[i]) << "item " << i;
    }
}

TEST(Build640x480, StatusStripHiddenAndTopmost) {
    ASSERT_NE(BuildWindowOnce(), nullptr);
    ASSERT_TRUE(IsWindow(g_shell.statusStrip));
    EXPECT_FALSE(IsWindowVisible(g_shell.statusStrip));
    LONG_PTR extended = GetWindowLongPtrW(g_shell.statusStrip, GWL_EXSTYLE);
    EXPECT_TRUE(extended & WS_EX_TOPMOST);
    EXPECT_TRUE(extended & WS_EX_TOOLWINDOW);
    EXPECT_EQ(GetWindow(g_shell.statusStrip, GW_OWNER), nullptr);
}

// The system menu holds the menu bar's commands in its order, and each of them is one of
// the program's actions (the two View items are placeholders). The page's menus set
// their values in order, the drawing menu holds the pen menus, and the marks show the
// state the program starts in. The Japanese labels survive the resource compiler.
TEST(Build640x480, MenusRouteEveryItemAndMarkTheState) {
    ASSERT_NE(BuildWindowOnce(), nullptr);
    HMENU bar = GetMenu(g_shell.mainWindow);
    std::vector<UINT> commands = CommandItems(bar);
    EXPECT_EQ(CommandItems(g_shell.systemMenuResource), commands);
    std::set<CommandAction> actions;
    for (UINT id : commands) {
        if (id != IDM_VIEW_D && id != IDM_VIEW_A) actions.insert(RouteCommand(id).action);
    }
    using A = CommandAction;
    EXPECT_EQ(actions, (std::set<A>{A::SaveText, A::ShowHtmlOutput, A::TogglePictureSaving, A::CloseProgram,
                                    A::GoPreviousDay, A::GoNextDay, A::PickDay, A::ToggleRuledLines, A::ShowAbout}));
    EXPECT_EQ(Label(bar, IDM_SAVE_PICTURE), L"絵を保存する");
    EXPECT_EQ(Label(bar, IDM_EXIT), L"閉じる(&C)\tAlt+F4");

    const struct {
        HMENU menu;
        A action;
        int count, firstArgument;
    } pageMenus[] = {{g_shell.moodMenu, A::SetMood, 6, 0}, {g_shell.weatherMenu, A::SetWeather, 5, 1},
                     {g_shell.colourMenu, A::SetPenColour, 16, IDM_COLOUR_FIRST},
                     {g_shell.widthMenu, A::SetPenWidth, 5, IDM_WIDTH_FIRST},
                     {g_shell.penTypeMenu, A::SetPenType, 2, IDM_PEN_PENCIL}};
    for (const auto& page : pageMenus) {
        ASSERT_EQ(GetMenuItemCount(page.menu), page.count);
        for (int i = 0; i < page.count; ++i) {
            CommandRoute route = RouteCommand(GetMenuItemID(page.menu, i));
            EXPECT_EQ(route.action, page.action) << "item " << i;
            EXPECT_EQ(route.argument, page.firstArgument + i) << "item " << i;
        }
    }
    for (int i = 0; i < 16; ++i) EXPECT_TRUE(GetMenuState(g_shell.colourMenu, i, MF_BYPOSITION) & MF_OWNERDRAW);
    EXPECT_EQ(GetSubMenu(g_shell.drawingMenu, 0), g_shell.colourMenu);
    EXPECT_EQ(GetSubMenu(g_shell.drawingMenu, 1), g_shell.widthMenu);
    EXPECT_EQ(GetSubMenu(g_shell.drawingMenu, 2), g_shell.penTypeMenu);

    for (HMENU menu : {bar, g_shell.systemMenuResource}) {
        EXPECT_EQ(MenuChecked(menu, IDM_SAVE_PICTURE), g_page.savePicture);
        EXPECT_EQ(MenuChecked(menu, IDM_RULED_LINES), g_ruledLinesOn);
    }
    LOGPEN pen{};
    GetObjectW(g_drawing.pen, sizeof(pen), &pen);
    EXPECT_EQ(pen.lopnWidth.x, 3);
    for (UINT id = IDM_WIDTH_FIRST; id <= IDM_WIDTH_LAST; ++id) {
        EXPECT_EQ(MenuChecked(g_shell.widthMenu, id), id == IDM_WIDTH_FIRST + 3) << "the pen starts 3 wide, on S";
    }
    EXPECT_TRUE(MenuChecked(g_shell.penTypeMenu, IDM_PEN_PENCIL));
    EXPECT_FALSE(MenuChecked(g_shell.penTypeMenu, IDM_PEN_PEN));
}

// A click on each button reaches the window as its command with high word 0; the three
// menu buttons open their pop-ups at (247, t), (276, t) and (305, t).
TEST(Build640x480, CommandBarButtonsSendTheirCommands) {
    ASSERT_NE(BuildWindowOnce(), nullptr);
    auto buttonCentre = [](int command) {
        RECT item{};
        LRESULT index = SendMessageW(g_shell.commandBar, TB_COMMANDTOINDEX, command, 0);
        EXPECT_TRUE(SendMessageW(g_shell.commandBar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item)));
        MapWindowPoints(g_shell.commandBar, nullptr, reinterpret_cast<POINT*>(&item), 2);
        return CentreOf(item);
    };
    const struct {
        int command;
        int menuX;  // 0: no pop-up
    } buttons[] = {{IDM_COLOUR_BUTTON, 247}, {IDM_WIDTH_BUTTON, 276}, {IDM_PEN_TYPE_BUTTON, 305},
                   {IDM_RULED_LINES, 0}};
    for (const auto& button : buttons) {
        SCOPED_TRACE(testing::Message() << "button " << button.command);
        g_commandsSeen.clear();
        ClickAt(buttonCentre(button.command));
        OpenedMenu opened = WatchForMenu(800);
        ASSERT_EQ(g_commandsSeen.size(), 1u);
        EXPECT_EQ(g_commandsSeen[0], static_cast<WPARAM>(button.command));
        if (button.menuX == 0) continue;
        POINT expectedCorner{button.menuX, g_shell.commandBarHeight};
        ClientToScreen(g_shell.mainWindow, &expectedCorner);
        ASSERT_TRUE(opened.seen) << "no pop-up";
        EXPECT_EQ(opened.rect.left, expectedCorner.x);
        EXPECT_EQ(opened.rect.top, expectedCorner.y);
    }
    // The ruled-lines button was pressed once; press it back to where it started.
    ClickAt(buttonCentre(IDM_RULED_LINES));
    PumpMessages(200);
}

// The menu bar opens with the mouse and from the keyboard (Alt, then the mnemonic).
TEST(Build640x480, MenuBarOpensWithMouseAndKeyboard) {
    ASSERT_NE(BuildWindowOnce(), nullptr);
    RECT title{};
    ASSERT_TRUE(GetMenuItemRect(g_shell.mainWindow, GetMenu(g_shell.mainWindow), 1, &title));
    ClickAt(CentreOf(title));
    EXPECT_TRUE(WatchForMenu(800).seen) << "a click on a menu title opened nothing";

    SetForegroundWindow(g_shell.mainWindow);
    SendChord({VK_MENU, 'K'});
    EXPECT_TRUE(WatchForMenu(800).seen) << "Alt+K opened nothing";
}

TEST(Build640x480, ZCloseReleasesEverythingOnce) { ExpectCloseReleasesEverythingOnce(); }
