// The main window as the program builds it, worked from inside the process on the virtual
// screen of its Build suite's name: the page, menus, command bar, taps, toggles, About, close.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <set>

#include "built_window.h"
#include "app/command_routes.h"
#include "backup/snapshot.h"
#include "diarycore/picture_bytes.h"
#include "diarycore/place_codes.h"
#include "diarycore/record.h"
#include "diarycore/record_file.h"
#include "app/help_page.h"
#include "app/win32/main_window.h"
#include "app/win32/notification_icon.h"
#include "page/win32/backups.h"
#include "page/win32/picture_surface.h"
#include "resources/resource.h"
#include "sync/kept_versions.h"

namespace fs = std::filesystem;

namespace {

// Screen points and pop-up corners as comparable values.
using Point = std::pair<LONG, LONG>;

Point ScreenPoint(int x, int y) {
    POINT point{x, y};
    ClientToScreen(g_shell.mainWindow, &point);
    return {point.x, point.y};
}

Point TopLeft(const RECT& rect) { return {rect.left, rect.top}; }

// A command bar button on the screen.
RECT ButtonOnScreen(int command) {
    RECT item{};
    LRESULT index = SendMessageW(g_shell.commandBar.get(), TB_COMMANDTOINDEX, command, 0);
    EXPECT_TRUE(SendMessageW(g_shell.commandBar.get(), TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item)));
    MapWindowPoints(g_shell.commandBar.get(), nullptr, reinterpret_cast<POINT*>(&item), 2);
    return item;
}

// A real left click in the middle of a command bar button, handled.
void ClickButton(int command) {
    const RECT button = ButtonOnScreen(command);
    SetCursorPos((button.left + button.right) / 2, (button.top + button.bottom) / 2);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    PumpMessages(200);
}

std::optional<RECT> g_opened;  // where the pop-up menu seen open is on the screen

// Runs `action`, which may open a pop-up menu, and pumps messages for `ms`; a timer inside
// the menu's modal loop notes the first pop-up that opened and closes it again.
std::optional<RECT> WatchForMenu(DWORD ms, const std::function<void()>& action) {
    g_opened.reset();
    UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
        HWND popup = FindWindowW(L"#32768", nullptr);
        if (!popup || !IsWindowVisible(popup)) return;
        if (!g_opened) GetWindowRect(popup, &g_opened.emplace());
        EndMenu();
    });
    action();
    PumpMessages(ms);
    KillTimer(nullptr, timer);
    PumpMessages(100);
    return g_opened;
}

// The rows of the text box, at a column no text reaches, that show the ruling colour.
std::vector<int> RuledRows() {
    PumpMessages(150);
    const OwnedWindowDc dc(TheView().textBox);
    std::vector<int> rows;
    for (int y = 0; y < 149; ++y)
        if (GetPixel(dc.get(), 250, y) == RGB(170, 114, 17)) rows.push_back(y);
    return rows;
}

// The command items of a menu and its cascades, in order.
std::vector<UINT> CommandItems(HMENU menu) {
    std::vector<UINT> ids;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (HMENU cascade = GetSubMenu(menu, i)) {
            std::ranges::copy(CommandItems(cascade), std::back_inserter(ids));
        } else if (!(GetMenuState(menu, i, MF_BYPOSITION) & MF_SEPARATOR)) {
            ids.push_back(GetMenuItemID(menu, i));
        }
    }
    return ids;
}

}  // namespace

// The system menu holds the menu bar's commands in order, each one of the program's actions
// (the View items are placeholders); the page's menus set their values in order, the drawing
// menu holds Undo, Redo and the pen menus, the pen starts as a pencil 3 wide. The Japanese
// labels survive the resource compiler.
TEST(Build640x480, MenusRouteEveryItemAndMarkThePen) {
    ASSERT_NE(BuildWindowOnce(), nullptr);
    HMENU bar = GetMenu(g_shell.mainWindow);
    std::vector<UINT> commands = CommandItems(bar);
    EXPECT_EQ(CommandItems(g_shell.systemMenuResource.get()), commands);
    std::set<CommandAction> actions;
    for (UINT id : commands)
        if (id != IDM_VIEW_D && id != IDM_VIEW_A) actions.insert(RouteCommand(id).action);
    using A = CommandAction;
    EXPECT_EQ(actions, (std::set<A>{A::SaveText,        A::ShowHtmlOutput,   A::TogglePictureSaving,
                                    A::CloseProgram,    A::GoPreviousDay,    A::GoNextDay,
                                    A::PickDay,         A::ToggleRuledLines, A::ShowAbout,
                                    A::FindDay,         A::ShowMonth,        A::ShowSameDay,
                                    A::ShowYear,        A::PrintDays,        A::ZoomIn,
                                    A::ZoomOut,         A::SetZoom,          A::ShowBackups,
                                    A::ShowDiaryFolder, A::LockDiary,        A::UnlockDiary,
                                    A::ChangePassword,  A::ChooseIdleLock,   A::ShowEarlierVersions,
                                    A::ChooseLanguage,  A::SetWeekStart}));
    wchar_t label[64] = {};
    GetMenuStringW(bar, IDM_SAVE_PICTURE, label, std::size(label), MF_BYCOMMAND);
    EXPECT_STREQ(label, L"絵を保存する");

    const struct {
        HMENU menu;
        A action;
        int count, firstArgument;
    } pageMenus[] = {{g_shell.moodMenu.get(), A::SetMood, 6, 0},
                     {g_shell.weatherMenu.get(), A::SetWeather, 5, 1},
                     {g_shell.colourMenu.get(), A::SetPenColour, 16, IDM_COLOUR_FIRST},
                     {g_shell.widthMenu.get(), A::SetPenWidth, 5, IDM_WIDTH_FIRST},
                     {g_shell.penTypeMenu.get(), A::SetPenType, 2, IDM_PEN_PENCIL}};
    for (const auto& page : pageMenus) {
        ASSERT_EQ(GetMenuItemCount(page.menu), page.count);
        for (int i = 0; i < page.count; ++i) {
            CommandRoute route = RouteCommand(GetMenuItemID(page.menu, i));
            EXPECT_EQ(route.action, page.action) << "item " << i;
            EXPECT_EQ(route.argument, page.firstArgument + i) << "item " << i;
        }
    }
    for (int i = 0; i < 16; ++i) EXPECT_TRUE(GetMenuState(g_shell.colourMenu.get(), i, MF_BYPOSITION) & MF_OWNERDRAW);
    std::vector<UINT> drawing = {IDM_UNDO, IDM_REDO};
    for (HMENU pens : {g_shell.colourMenu.get(), g_shell.widthMenu.get(), g_shell.penTypeMenu.get()})
        std::ranges::copy(CommandItems(pens), std::back_inserter(drawing));
    EXPECT_EQ(CommandItems(g_shell.drawingMenu.get()), drawing);

    LOGPEN pen{};
    GetObjectW(TheView().drawing.pen.get(), sizeof(pen), &pen);
    EXPECT_EQ(pen.lopnWidth.x, 3);
    EXPECT_TRUE(MenuChecked(g_shell.widthMenu.get(), IDM_WIDTH_FIRST + 3));
    EXPECT_TRUE(MenuChecked(g_shell.penTypeMenu.get(), IDM_PEN_PENCIL));
}

// A real click on each menu button opens its pop-up at the button's bottom-left corner
// (the ruled-lines button: Shell.TogglesAgreeWithTheirMarksEverywhere). The colour button
// shows the pen's colour. The menu bar opens from the keyboard (Alt, then the mnemonic).
TEST(Build640x480, CommandBarAndMenuBarAnswerMouseAndKeys) {
    ASSERT_NE(BuildWindowOnce(), nullptr);
    for (int command : {IDM_COLOUR_BUTTON, IDM_WIDTH_BUTTON, IDM_PEN_TYPE_BUTTON}) {
        const std::optional<RECT> opened = WatchForMenu(800, [&] { ClickButton(command); });
        ASSERT_TRUE(opened.has_value()) << "no pop-up from button " << command;
        EXPECT_EQ(TopLeft(*opened), Point(ButtonOnScreen(command).left, ButtonOnScreen(command).bottom)) << command;
    }
    Command(IDM_COLOUR_LAST);
    EXPECT_EQ(SendMessageW(g_shell.commandBar.get(), TB_GETBITMAP, IDM_COLOUR_BUTTON, 0),
              g_shell.firstColourButtonImage + 15);
    Command(IDM_COLOUR_FIRST);
    SetForegroundWindow(g_shell.mainWindow);
    EXPECT_TRUE(WatchForMenu(800, [] { SendChord({VK_MENU, 'K'}); }).has_value()) << "Alt+K opened nothing";
}

namespace {

void Tap(int x, int y) { SendMessageW(g_shell.mainWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }

std::optional<RECT> MenuOfTap(int x, int y) {
    return WatchForMenu(300, [x, y] { Tap(x, y); });
}

// Both layouts, on an empty page of 1 March 2000.
class Shell : public OnBuiltWindow {
protected:
    void SetUp() override {
        OnBuiltWindow::SetUp();
        OpenDay({2000, 3, 1, 3});
    }
};

// The 240-line layout fills the screen's top without caption or border; the tall one is
// centred with a caption, its page below the command bar. The text and place boxes sit
// below t with their Shift-JIS font, the place codes in the records' order; the status
// strip waits hidden. The client area, canvas and font size: Zoom.PageStartsAtTheMonitorsScale.
TEST_F(Shell, PageFillsTheLayoutOfItsScreen) {
    const int t = T();
    RECT frame;
    GetWindowRect(g_shell.mainWindow, &frame);
    const LONG_PTR style = GetWindowLongPtrW(g_shell.mainWindow, GWL_STYLE);
    if (g_shell.tallScreen) {
        ASSERT_TRUE(IsWindow(g_shell.commandBar.get()));
        RECT bar = ChildRect(g_shell.commandBar.get());
        EXPECT_EQ(std::tuple(bar.left, bar.top, bar.bottom), std::tuple(0, 0, t)) << "the command bar is on top";
        EXPECT_GT(t, 0);
        EXPECT_EQ(TopLeft(frame),
                  Point((GetSystemMetrics(SM_CXSCREEN) - 640) / 2, (GetSystemMetrics(SM_CYSCREEN) - (214 + t)) / 2));
        // A fixed-size desktop window: it can be minimized, not maximized.
        EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
                  WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
    } else {
        EXPECT_EQ(std::tuple(t, g_shell.commandBar.get(), GetMenu(g_shell.mainWindow)),
                  std::tuple(0, nullptr, nullptr));
        EXPECT_EQ(Edges(frame), Edges({0, 0, 640, 214}));
        EXPECT_EQ(style & (WS_CAPTION | WS_POPUP), WS_POPUP);
    }
    EXPECT_EQ(Edges(ChildRect(TheView().textBox)), Edges({29, 31 + t, 304, 180 + t}));
    RECT place = ChildRect(TheView().placeBox);
    EXPECT_EQ(Edges(place), Edges({219, 10 + t, 299, place.bottom}));

    LOGFONTW font{};
    for (HWND box : {TheView().textBox, TheView().placeBox})
        ASSERT_EQ(reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0)), TheView().textFont.get());
    GetObjectW(TheView().textFont.get(), sizeof(font), &font);
    EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET);
    ASSERT_EQ(SendMessageW(TheView().placeBox, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(std::size(kPlaceCodes)));
    for (std::size_t i = 0; i < std::size(kPlaceCodes); ++i) {
        wchar_t item[16] = {};
        SendMessageW(TheView().placeBox, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
        EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(item)), kPlaceCodes[i]) << "item " << i;
    }
    ASSERT_TRUE(IsWindow(g_shell.statusStrip.get()));
    EXPECT_FALSE(IsWindowVisible(g_shell.statusStrip.get()));
}

// Taps at t below the top: icons open their menus at the tap point, arrows step days, the
// drawing area captures the mouse, elsewhere nothing. Alt+M and Alt+P open the system and
// drawing menus at the top corners, as the hot corners do in the 240-line layout only.
TEST_F(Shell, TapsAndCornerMenus) {
    const std::optional<RECT> weather = MenuOfTap(196, T() + 30);
    ASSERT_TRUE(weather.has_value());
    EXPECT_EQ(TopLeft(*weather), ScreenPoint(196, T() + 30));
    EXPECT_TRUE(MenuOfTap(216, T() + 14).has_value()) << "mood icon";
    EXPECT_FALSE(MenuOfTap(100, T() + 100).has_value());
    Tap(16, T() + 178);
    EXPECT_EQ(std::pair(ThePage().Day().month, ThePage().Day().day), std::pair(2, 29));
    Tap(619, T() + 190);
    EXPECT_EQ(std::pair(ThePage().Day().month, ThePage().Day().day), std::pair(3, 1));
    Tap(339, T() + 20);
    EXPECT_EQ(GetCapture(), g_shell.mainWindow) << "a stroke starts with the mouse captured";
    SendMessageW(g_shell.mainWindow, WM_LBUTTONUP, 0, 0);

    const std::optional<RECT> system = WatchForMenu(300, [] { Command(FROM_ACCELERATOR + IDM_SYSTEM_MENU); });
    ASSERT_TRUE(system.has_value());
    EXPECT_EQ(TopLeft(*system), ScreenPoint(0, 0));
    const std::optional<RECT> drawing = WatchForMenu(300, [] { Command(FROM_ACCELERATOR + IDM_DRAWING_MENU); });
    ASSERT_TRUE(drawing.has_value());
    auto [right, top] = ScreenPoint(640, 0);
    EXPECT_EQ(drawing->top, top);
    // Against the screen's right edge the menu opens to the left of the point.
    EXPECT_TRUE(drawing->left == right || drawing->right <= right + 1) << drawing->left;
    if (g_shell.tallScreen) {
        EXPECT_FALSE(MenuOfTap(2, T() + 2).has_value()) << "no hot corner under a command bar";
        EXPECT_FALSE(MenuOfTap(639, T()).has_value());
    } else {
        const std::optional<RECT> corner = MenuOfTap(2, 2);
        ASSERT_TRUE(corner.has_value());
        EXPECT_EQ(TopLeft(*corner), Point(0, 0));
        EXPECT_TRUE(MenuOfTap(639, 0).has_value());
    }
}

// Ruled lines and picture saving start on. Each command (the ruled lines: a real click on
// the command bar's button where there is one) flips its value and every mark of it, in
// the system menu, the menu bar and the command bar; the lines come and go at once.
TEST_F(Shell, TogglesAgreeWithTheirMarksEverywhere) {
    HMENU bar = GetMenu(g_shell.mainWindow);
    for (bool on : {false, true}) {
        if (bar)
            ClickButton(IDM_RULED_LINES);
        else
            Command(IDM_RULED_LINES);
        EXPECT_EQ(MessagesShownBy([] { Command(IDM_SAVE_PICTURE); }).empty(), on) << "turning it off is told";
        EXPECT_EQ(TheView().ruledLinesOn, on);
        EXPECT_EQ(ThePage().SavesPicture(), on);
        for (HMENU menu : {g_shell.systemMenuResource.get(), bar}) {
            if (!menu) continue;
            EXPECT_EQ(MenuChecked(menu, IDM_RULED_LINES), on);
            EXPECT_EQ(MenuChecked(menu, IDM_SAVE_PICTURE), on);
        }
        EXPECT_TRUE(!bar ||
                    (SendMessageW(g_shell.commandBar.get(), TB_ISBUTTONCHECKED, IDM_RULED_LINES, 0) != 0) == on);
        std::vector<int> rows = RuledRows();
        EXPECT_TRUE(on ? rows.size() >= 10 : rows.empty()) << rows.size() << " ruled rows";
    }
}

// The diary menu offers to lock a plain diary, and to unlock or change the password of one
// with a key file, in both menus, as they open.
TEST_F(Shell, LockCommandsFollowTheKeyFile) {
    for (bool locked : {false, true}) {
        if (locked) {
            std::filesystem::create_directories(File(L".doodlebinder"));
            WriteFileText(File(L".doodlebinder\\diary.key"), "key");
        }
        for (HMENU menu : {g_shell.systemMenuResource.get(), GetMenu(g_shell.mainWindow)}) {
            if (!menu) continue;
            SendMessageW(g_shell.mainWindow, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
            const auto enabled = [menu](UINT id) { return !(GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED); };
            EXPECT_EQ(enabled(IDM_LOCK_DIARY), !locked);
            EXPECT_EQ(enabled(IDM_UNLOCK_DIARY), locked);
            EXPECT_EQ(enabled(IDM_CHANGE_PASSWORD), locked);
        }
    }
}

// Keys go to the page's controls, never to the window: the place box chosen before a switch
// to another program has the focus back, unless the day changed (a message box: Closing).
// The View menu's Language items switch the menus, the run-time menus and the places at
// once, and the settings file keeps the choice beside its other lines; back in Japanese,
// the handheld's texts are there again.
TEST_F(Shell, LanguageSwitchesAtOnceAndIsKept) {
    WriteFileText(File(L"doodlebinder.ini"), "remark\r\n");
    const auto itemText = [](HMENU menu) {
        wchar_t text[64] = {};
        GetMenuStringW(menu, 0, text, 64, MF_BYPOSITION);
        return std::wstring(text);
    };
    const auto shown = [&] {
        wchar_t place[32] = {};
        SendMessageW(TheView().placeBox, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(place));
        HMENU bar = GetMenu(g_shell.mainWindow);
        return itemText(GetSubMenu(g_shell.systemMenuResource.get(), 0)) + L"|" + (bar ? itemText(bar) : L"-") + L"|" +
               itemText(g_shell.weatherMenu.get()) + L"|" + place;
    };
    const std::wstring bar = GetMenu(g_shell.mainWindow) ? L"&Diary" : L"-";
    Command(IDM_LANGUAGE_LAST);
    EXPECT_EQ(shown(), L"&Diary|" + bar + L"|Sunny|Library");
    EXPECT_TRUE(MenuChecked(g_shell.systemMenuResource.get(), IDM_LANGUAGE_LAST));
    EXPECT_EQ(ReadFileText(File(L"doodlebinder.ini")), "remark\r\nlanguage=en\r\n");
    Command(IDM_LANGUAGE_FIRST + 1);
    EXPECT_EQ(shown(), L"File    |" + std::wstring(bar == L"-" ? L"-" : L"2345(&S)") + L"|Sn|LIB");
    EXPECT_EQ(ReadFileText(File(L"doodlebinder.ini")), "remark\r\nlanguage=ja\r\n");
}

TEST_F(Shell, FocusComesBackToThePage) {
    SetForegroundWindow(g_shell.mainWindow);
    PumpMessages(100);
    SetFocus(g_shell.mainWindow);
    EXPECT_EQ(GetFocus(), TheView().textBox) << "the window passes the focus on";

    SetFocus(TheView().placeBox);
    HWND other = CreateWindowExW(0, L"STATIC", L"other program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(other);
    PumpMessages(100);
    ASSERT_NE(GetFocus(), TheView().placeBox);
    SetForegroundWindow(g_shell.mainWindow);
    PumpMessages(100);
    EXPECT_EQ(GetFocus(), TheView().placeBox) << "after switching back";

    // Words typed on a new day are its text, wherever the keys went before.
    Command(FROM_ACCELERATOR + IDM_NEXT_DAY);
    EXPECT_EQ(GetFocus(), TheView().textBox) << "after a change of day";
    SetForegroundWindow(other);
    PumpMessages(100);
    SetForegroundWindow(g_shell.mainWindow);
    PumpMessages(100);
    EXPECT_EQ(GetFocus(), TheView().textBox) << "after a change of day and a switch back";
    DestroyWindow(other);
}

// A dialog opened from the notification icon's menu while the window is minimised brings
// the window back and opens whole inside the work area, with the keys: picker, then Find.
TEST_F(Shell, DialogsOpenedWhileMinimisedAreOnScreenAndTakeKeys) {
    for (auto [command, caption] : {std::pair{IDM_PICK_DAY, L"PickDay"}, {IDM_FIND, L"検索"}}) {
        SCOPED_TRACE(fs::path(caption).string());
        ShowWindow(g_shell.mainWindow, SW_MINIMIZE);
        PumpMessages(100);
        ASSERT_TRUE(IsIconic(g_shell.mainWindow));
        bool restored = false, inside = false;
        int focusId = 0;
        EXPECT_TRUE(WorkDialog(command, caption, [&](HWND dialog) {
            restored = !IsIconic(g_shell.mainWindow);
            inside = InsideWorkArea(dialog);
            GUITHREADINFO input{};
            input.cbSize = sizeof(input);
            GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &input);
            EXPECT_TRUE(input.hwndActive == dialog && IsChild(dialog, input.hwndFocus)) << "the dialog takes the keys";
            focusId = GetDlgCtrlID(input.hwndFocus);
            PressDialogButton(dialog, IDCANCEL);
        }));
        EXPECT_TRUE(restored);
        EXPECT_TRUE(inside);
        EXPECT_TRUE(command != IDM_FIND || focusId == IDC_FIND_WORDS) << "the words take the keys";
    }
}

// Sends the message about the window's icon; NIM_MODIFY succeeds only for an icon shown.
bool NotifyIcon(DWORD message) {
    NOTIFYICONDATAW record{};
    record.cbSize = sizeof(record), record.hWnd = g_shell.mainWindow, record.uID = IDI_DOODLEBINDER;
    return Shell_NotifyIconW(message, &record) != FALSE;
}

// A restarted shell has forgotten the icons and says "TaskbarCreated"; the diary puts its back.
TEST_F(Shell, NotificationIconReturnsAfterAShellRestart) {
    ASSERT_TRUE(NotifyIcon(NIM_MODIFY));
    NotifyIcon(NIM_DELETE);
    ASSERT_FALSE(NotifyIcon(NIM_MODIFY));
    SendMessageW(g_shell.mainWindow, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(NotifyIcon(NIM_MODIFY));
}

// A handheld's taskbar, here one of this process: its child is hooked while the hook is
// kept, each press noted on the screen, and it has its own procedure back once the hook
// goes, even unreleased.
TEST_F(Shell, TaskbarHookNotesPressesWhileItIsKept) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW taskbarClass{};
    taskbarClass.lpfnWndProc = DefWindowProcW;
    taskbarClass.hInstance = instance;
    taskbarClass.lpszClassName = L"HHTaskBar";
    RegisterClassW(&taskbarClass);
    const OwnedWindow bar(
        CreateWindowExW(0, L"HHTaskBar", nullptr, WS_POPUP, 100, 200, 300, 30, nullptr, nullptr, instance, nullptr));
    const HWND button =
        CreateWindowExW(0, L"STATIC", nullptr, WS_CHILD, 10, 5, 50, 20, bar.get(), nullptr, instance, nullptr);
    ASSERT_NE(button, nullptr);
    const LONG_PTR ownProc = GetWindowLongPtrW(button, GWLP_WNDPROC);
    POINT press{7, 3};
    ClientToScreen(button, &press);
    {
        TaskbarHook hook;
        InstallTaskbarHook(hook);
        ASSERT_EQ(hook.window, button);
        SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(7, 3));
        EXPECT_EQ(std::pair(hook.lastPress.x, hook.lastPress.y), std::pair(press.x, press.y));
    }
    EXPECT_EQ(GetWindowLongPtrW(button, GWLP_WNDPROC), ownProc);
    EXPECT_EQ(GetPropW(button, L"DoodlebinderTaskbarHook"), nullptr);
}

// Presses the About box's HELP and tells the message box it brought, if any.
std::wstring PressHelp(HWND about) {
    return MessagesShownBy([about] { PostMessageW(GetDlgItem(about, IDC_HELP_BUTTON), BM_CLICK, 0, 0); });
}

// HELP writes the page; without a viewer beside the program it tells the user and the box
// stays open until OK; with one it starts the viewer on the page.
TEST_F(Shell, AboutBoxAndHelp) {
    bool buttons = false, stillOpen = false;
    std::wstring withoutViewer, withViewer;
    ASSERT_TRUE(WorkDialog(IDM_ABOUT, L"DoodlebinderHPC ", [&](HWND about) {
        buttons = ButtonsInside(about, IDC_HELP_BUTTON, IDOK);
        withoutViewer = PressHelp(about) + L"\n" + PressHelp(about);
        stillOpen = IsWindowVisible(about);
        fs::copy_file(TestProgramFolder() / L"probe.exe", File(L"peghelp.exe"));
        withViewer = PressHelp(about);
        PressDialogButton(about, IDOK);
    }));
    EXPECT_TRUE(buttons) << "OK must be visible beside HELP";
    EXPECT_EQ(withoutViewer, L"Err|PEGHELP.EXEの起動にjjjました\nErr|PEGHELP.EXEの起動にjjjました");
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(FindWindowW(L"#32770", L"DoodlebinderHPC "), nullptr) << "OK closed the box";
    EXPECT_EQ(ReadFileBytes(File(L"DoodBind.htp")), HelpPageBytes(ProgramLanguage::Japanese));
    EXPECT_EQ(withViewer, L"");
    std::wstring folder = folder_.Path().wstring();
    EXPECT_EQ(Utf16FileText(File(L"command-line.txt")),
              L"\"" + folder + L"\\peghelp.exe\" \"" + folder + L"\\DoodBind.htp\"");
}

namespace {

// The hour's timer, and the worker's result taken as the window takes it.
void AnHourLater() {
    SendMessageW(g_shell.mainWindow, WM_TIMER, IDT_HOURLY_SNAPSHOT, 0);
    for (int tries = 0; tries < 200 && SnapshotUnderWay(DiaryOf(g_shell.mainWindow).backups); ++tries) PumpMessages(25);
}

std::ptrdiff_t FilesIn(const fs::path& folder) {
    return std::distance(fs::directory_iterator(folder), fs::directory_iterator());
}

void WriteRecordText(const fs::path& record, const char16_t* text) {
    DayRecord day;
    day.text = text;
    WriteFileBytes(record, SerializeRecord(day).bytes);
}

}  // namespace

// The Backups dialog shows the folder the settings name and no snapshot in it; Back up
// now makes one on the worker while the dialog stays, and then shows it.
TEST_F(Shell, BackupsDialogBacksUpNow) {
    ShowLanguage(ProgramLanguage::English);  // the words of the windows added since the handheld
    ScratchFolder backups;
    WriteFileText(File(L"doodlebinder.ini"), "backup_folder=" + backups.Path().string() + "\r\n");
    std::wstring folder, before, after;
    bool focusUsable = false, closedByEscape = false;
    ASSERT_TRUE(WorkDialog(IDM_BACKUPS, L"Backups", [&](HWND dialog) {
        folder = ControlText(GetDlgItem(dialog, IDC_BACKUP_FOLDER));
        before = ControlText(GetDlgItem(dialog, IDC_BACKUP_LAST));
        // Pressed as with the keyboard: the button holds the focus while it turns grey.
        PostMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDC_BACKUP_NOW)), TRUE);
        PostMessageW(GetDlgItem(dialog, IDC_BACKUP_NOW), BM_CLICK, 0, 0);
        for (int tries = 0;
             tries < 100 && (after = ControlText(GetDlgItem(dialog, IDC_BACKUP_LAST))).starts_with(L"Last") == false;
             ++tries)
            Sleep(50);
        // The keys still reach the dialog: Escape closes it.
        GUITHREADINFO input{};
        input.cbSize = sizeof(input);
        GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &input);
        focusUsable = IsChild(dialog, input.hwndFocus) && IsWindowEnabled(input.hwndFocus);
        PostMessageW(input.hwndFocus ? input.hwndFocus : dialog, WM_KEYDOWN, VK_ESCAPE, 0);
        for (int tries = 0; tries < 40 && IsWindow(dialog); ++tries) Sleep(50);
        closedByEscape = !IsWindow(dialog);
        if (!closedByEscape) PressDialogButton(dialog, IDCANCEL);
    }));
    EXPECT_TRUE(focusUsable) << "the focus left the greyed button";
    EXPECT_TRUE(closedByEscape);
    EXPECT_EQ(folder, backups.Path().wstring());
    EXPECT_EQ(before, L"No snapshot yet");
    EXPECT_TRUE(after.starts_with(L"Last snapshot: ")) << after;
    EXPECT_EQ(FilesIn(backups.Path()), 1);
}

// The hourly snapshot: made on the worker when a day file changed since the last, not when
// nothing did; a backup folder that refuses it is named once a run, not every hour.
TEST_F(Shell, HourlySnapshotsWhenTheDiaryChanged) {
    ShowLanguage(ProgramLanguage::English);  // the words of the windows added since the handheld
    ScratchFolder backups;
    auto backUpTo = [&](const fs::path& to) {
        WriteFileText(File(L"doodlebinder.ini"), "backup_folder=" + to.string() + "\r\n");
    };
    auto snapshots = [&] { return FilesIn(backups.Path()); };
    auto changeADay = [&](const char* text) {
        WriteFileText(File(L"20000302.dbt"), text);
        Sleep(1100);  // a modification time the snapshot tells apart
    };
    backUpTo(backups.Path());
    changeADay("DN the second of March");
    EXPECT_EQ(MessagesShownWhile(AnHourLater), L"");
    EXPECT_EQ(snapshots(), 1);
    EXPECT_EQ(MessagesShownWhile(AnHourLater), L"");
    EXPECT_EQ(snapshots(), 1) << "a snapshot of a diary that did not change";
    changeADay("DN the second of March, written again");
    ThePage().BeginSaving();  // a save's message box on show: its loop runs the timer
    EXPECT_EQ(MessagesShownWhile(AnHourLater), L"");
    EXPECT_EQ(snapshots(), 1) << "a snapshot while a save was under way";
    ThePage().EndSaving();
    EXPECT_EQ(MessagesShownWhile(AnHourLater), L"");
    EXPECT_EQ(snapshots(), 2);

    backUpTo(folder_.Path() / L"backups");
    changeADay("DN and again");
    const std::wstring told = MessagesShownWhile(AnHourLater);
    EXPECT_NE(told.find(L"could not be backed up"), std::wstring::npos) << told;
    EXPECT_NE(told.find(L"inside it"), std::wstring::npos) << told;
    changeADay("DN and once more");
    EXPECT_EQ(MessagesShownWhile(AnHourLater), L"") << "told twice in a run";
    EXPECT_FALSE(fs::exists(folder_.Path() / L"backups"));
    EXPECT_FALSE(SnapshotUnderWay(DiaryOf(g_shell.mainWindow).backups));
}

namespace {

// Each row's text in one column of a list view.
std::vector<std::wstring> ListColumn(HWND list, int column) {
    std::vector<std::wstring> texts;
    const int rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row) {
        wchar_t text[96] = {};
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = std::size(text);
        SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
        texts.push_back(text);
    }
    return texts;
}

// Chooses the row of the versions list, as a click would, and presses Restore.
void RestoreRow(HWND dialog, int row) {
    LVITEMW selected{};
    selected.stateMask = selected.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(GetDlgItem(dialog, IDC_VERSIONS_LIST), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&selected));
    PressDialogButton(dialog, IDOK);
}

}  // namespace

// A settings file a sync tool holds without sharing: a zoom chosen meanwhile holds for the
// run and is told once, the file is never written over, the backups wait rather than go
// to another folder, and the choice goes into the file once it can be read again.
TEST_F(Shell, ASettingsFileHeldElsewhereIsNeverWrittenOver) {
    ShowLanguage(ProgramLanguage::English);  // the words of the windows added since the handheld
    if (!g_shell.tallScreen) GTEST_SKIP() << "the 240-line screen has no zoom to choose";
    ScratchFolder backups;
    const std::string kept = "backup_folder=" + backups.Path().string() + "\r\n; the user's own remark\r\n";
    WriteFileText(File(L"doodlebinder.ini"), kept);
    {
        FileHeldElsewhere held(File(L"doodlebinder.ini"));
        ASSERT_TRUE(held.Holding());
        const std::wstring told = MessagesShownWhile([] { Command(IDM_ZOOM_FIRST); });
        EXPECT_NE(told.find(L"could not be read"), std::wstring::npos) << told;
        EXPECT_NE(told.find(L"doodlebinder.ini"), std::wstring::npos) << told;
        EXPECT_EQ(MessagesShownWhile([] { Command(IDM_ZOOM_FIRST); }), L"") << "told twice in a run";
        std::wstring folder;
        bool canBackUp = true;
        ASSERT_TRUE(WorkDialog(IDM_BACKUPS, L"Backups", [&](HWND dialog) {
            folder = ControlText(GetDlgItem(dialog, IDC_BACKUP_FOLDER));
            canBackUp = IsWindowEnabled(GetDlgItem(dialog, IDC_BACKUP_NOW));
            PressDialogButton(dialog, IDCANCEL);
        }));
        EXPECT_EQ(folder, L"doodlebinder.ini cannot be read now");
        EXPECT_FALSE(canBackUp);
        SendMessageW(g_shell.mainWindow, WM_TIMER, IDT_HOURLY_SNAPSHOT, 0);
        EXPECT_FALSE(SnapshotUnderWay(DiaryOf(g_shell.mainWindow).backups))
            << "a snapshot into a folder the user may not have chosen";
        EXPECT_EQ(ReadFileText(File(L"doodlebinder.ini")), "") << "still held";
    }
    EXPECT_EQ(ReadFileText(File(L"doodlebinder.ini")), kept);
    EXPECT_EQ(MessagesShownWhile([] { Command(IDM_ZOOM_FIRST); }), L"");
    const std::string now = ReadFileText(File(L"doodlebinder.ini"));
    EXPECT_TRUE(now.starts_with(kept)) << now;
    EXPECT_NE(now.find("zoom=1\r\n"), std::string::npos) << now;
}

// An hourly snapshot made while another program held the day's picture left it out and
// said so once: Earlier Versions marks that version incomplete, and restoring it puts
// back its text and leaves the drawing on the page as it is, never blank, so the next
// save keeps the picture.
TEST_F(Shell, AnIncompleteVersionIsMarkedAndRestoresNoBlankDrawing) {
    ShowLanguage(ProgramLanguage::English);  // the words of the windows added since the handheld
    ScratchFolder backups;
    WriteFileText(File(L"doodlebinder.ini"), "backup_folder=" + backups.Path().string() + "\r\n");
    auto writeDay = [&](const char16_t* text) { WriteRecordText(File(L"20000301.dbt"), text); };
    PictureBytes drawn(kPicturePixelBytes, 0xFF);
    for (int x = 10; x < 200; ++x) SetPicturePixel(drawn, x, 40, 0);
    WriteFileBytes(File(L"20000301.bmp"), PictureFileBytes(drawn));
    writeDay(u"words while the picture was held");
    auto snapshots = [&] { return FilesIn(backups.Path()); };
    {
        // The hourly snapshot says which file it left out, once: the same unreadable file
        // an hour later is no change, and makes no new snapshot.
        FileHeldElsewhere held(File(L"20000301.bmp"));
        ASSERT_TRUE(held.Holding());
        const std::wstring told = MessagesShownWhile(AnHourLater);
        EXPECT_NE(told.find(L"leaves out files that could not be read"), std::wstring::npos) << told;
        EXPECT_NE(told.find(L"20000301.bmp: it is in use by another program"), std::wstring::npos) << told;
        EXPECT_EQ(snapshots(), 1);
        EXPECT_EQ(MessagesShownWhile(AnHourLater), L"");
        EXPECT_EQ(snapshots(), 1) << "a new snapshot every hour for the one file it cannot read";
    }
    writeDay(u"today's words");
    OpenDay({2000, 3, 1, 3});

    std::wstring time, line;
    WorkDialogs([] { Command(IDM_EARLIER_VERSIONS); },
                [&](HWND dialog) {
                    HWND list = GetDlgItem(dialog, IDC_VERSIONS_LIST);
                    time = ListColumn(list, 0).at(0);
                    line = ListColumn(list, 1).at(0);
                    RestoreRow(dialog, 0);
                    return false;
                });
    EXPECT_TRUE(time.ends_with(L" (incomplete)")) << time;
    EXPECT_EQ(line, L"words while the picture was held");
    EXPECT_EQ(ControlText(TheView().textBox), L"words while the picture was held");
    EXPECT_EQ(CapturePictureBytes(TheView()), drawn) << "the drawing left out is not whitened";
    EXPECT_EQ(MessagesShownBy([] { Command(IDM_SAVE_TEXT); }), L"Save|The text is saved.");
    EXPECT_EQ(ReadFileBytes(File(L"20000301.bmp")), PictureFileBytes(drawn));
}

// Earlier versions of the day on show: one row each time it changed, newest first, none
// for the day as stored now, a damaged snapshot counted below the list. Restore puts the
// older text and drawing on the page unsaved: the close asks, the day's files are
// untouched until the save, which stores them.
TEST_F(Shell, EarlierVersionRestoredAsAnUnsavedChange) {
    ShowLanguage(ProgramLanguage::English);  // the words of the windows added since the handheld
    ScratchFolder backups;
    WriteFileText(File(L"doodlebinder.ini"), "backup_folder=" + backups.Path().string() + "\r\n");
    auto writeDay = [&](const char16_t* text) { WriteRecordText(File(L"20000301.dbt"), text); };
    constexpr std::int64_t kMorning = 1796544000;
    PictureBytes drawn(kPicturePixelBytes, 0xFF);
    for (int x = 10; x < 200; ++x) SetPicturePixel(drawn, x, 80, 0);
    WriteFileBytes(File(L"20000301.bmp"), PictureFileBytes(drawn));
    writeDay(u"the first words");
    ASSERT_EQ(MakeSnapshot(folder_.Path(), backups.Path(), kMorning).status, SnapshotStatus::Ok);
    ASSERT_EQ(MakeSnapshot(folder_.Path(), backups.Path(), kMorning + 3600).status, SnapshotStatus::Ok);
    writeDay(u"the second words");
    fs::remove(File(L"20000301.bmp"));
    ASSERT_EQ(MakeSnapshot(folder_.Path(), backups.Path(), kMorning + 7200).status, SnapshotStatus::Ok);
    WriteFileText(backups.Path() / "doodlebinder-20200101-000000.zip", "PK not a zip at all");
    writeDay(u"today's words");
    ASSERT_EQ(MakeSnapshot(folder_.Path(), backups.Path(), kMorning + 10800).status, SnapshotStatus::Ok);
    OpenDay({2000, 3, 1, 3});

    int rows = 0;
    std::wstring below, lines;
    std::wstring other;
    WorkDialogs([] { Command(IDM_EARLIER_VERSIONS); },
                [&](HWND dialog) {
                    if (WindowText(dialog) != L"Earlier Versions") {
                        other = WindowText(dialog) + L"|" + WindowText(GetDlgItem(dialog, 0xFFFF));
                        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
                        return false;
                    }
                    const std::vector<std::wstring> column = ListColumn(GetDlgItem(dialog, IDC_VERSIONS_LIST), 1);
                    rows = static_cast<int>(column.size());
                    for (const std::wstring& text : column) lines += text + L"|";
                    below = ControlText(GetDlgItem(dialog, IDC_VERSIONS_DAMAGED));
                    RestoreRow(dialog, 1);
                    return true;
                });
    EXPECT_EQ(other, L"");
    EXPECT_EQ(rows, 2);
    EXPECT_EQ(lines, L"the second words|[other drawing] the first words|") << "the drawing of the first is another";
    EXPECT_EQ(below, L"Snapshots that could not be read, skipped: 1.");
    EXPECT_EQ(ControlText(TheView().textBox), L"the first words");
    EXPECT_EQ(CapturePictureBytes(TheView()), drawn);
    EXPECT_EQ(MessagesShownBy([] { CloseProgram(g_shell.mainWindow); }, {IDCANCEL}),
              L"Close Doodlebinder|Save the changes to this page?");
    EXPECT_EQ(ReadRecordFile(File(L"20000301.dbt")).record.text, u"today's words");
    EXPECT_FALSE(fs::exists(File(L"20000301.bmp")));
    EXPECT_EQ(MessagesShownBy([] { Command(IDM_SAVE_TEXT); }), L"Save|The text is saved.");
    EXPECT_EQ(ReadRecordFile(File(L"20000301.dbt")).record.text, u"the first words");
    EXPECT_EQ(ReadFileBytes(File(L"20000301.bmp")), PictureFileBytes(drawn));
}

// A restore over unsaved typing sets the page aside first: Ctrl+Z right after brings the
// typing back, and Earlier Versions lists the page set aside beside the snapshots.
TEST_F(Shell, ARestoreOverUnsavedTypingSetsItAsideAndCtrlZBringsItBack) {
    ShowLanguage(ProgramLanguage::English);  // the words of the windows added since the handheld
    ScratchFolder backups;
    WriteFileText(File(L"doodlebinder.ini"), "backup_folder=" + backups.Path().string() + "\r\n");
    WriteRecordText(File(L"20000301.dbt"), u"the first words");
    ASSERT_EQ(MakeSnapshot(folder_.Path(), backups.Path(), 1796544000).status, SnapshotStatus::Ok);
    WriteRecordText(File(L"20000301.dbt"), u"today's words");
    OpenDay({2000, 3, 1, 3});
    TypeText(L"today's words, and unsaved typing");

    auto restoreRow = [](int chosen) {
        std::wstring times;
        WorkDialogs([] { Command(IDM_EARLIER_VERSIONS); },
                    [&](HWND dialog) {
                        for (const std::wstring& time : ListColumn(GetDlgItem(dialog, IDC_VERSIONS_LIST), 0))
                            times += time.ends_with(L" (set aside)") ? L"set aside|" : L"snapshot|";
                        RestoreRow(dialog, chosen);
                        return true;
                    });
        return times;
    };
    EXPECT_EQ(restoreRow(0), L"snapshot|");
    EXPECT_EQ(ControlText(TheView().textBox), L"the first words");
    const std::vector<KeptVersion> kept = ListKeptVersions(folder_.Path(), {2000, 3, 1, 3});
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(ReadRecordFile(kept[0].record).record.text, u"today's words, and unsaved typing");
    EXPECT_EQ(ReadRecordFile(File(L"20000301.dbt")).record.text, u"today's words") << "nothing saved yet";

    Command(FROM_ACCELERATOR + IDM_UNDO);
    EXPECT_EQ(ControlText(TheView().textBox), L"today's words, and unsaved typing");

    // The page set aside is a version of its own, newest first.
    EXPECT_EQ(restoreRow(0), L"set aside|snapshot|");
    EXPECT_EQ(ControlText(TheView().textBox), L"today's words, and unsaved typing");
    EXPECT_EQ(MessagesShownBy([] { Command(IDM_NEXT_DAY); }), L"");
    EXPECT_EQ(ReadRecordFile(File(L"20000301.dbt")).record.text, u"today's words, and unsaved typing");
}

// Every object the window made, by kind.
struct BuiltObjects {
    std::vector<HGDIOBJ> gdi;
    std::vector<HMENU> menus;
    std::vector<HWND> windows;
    std::vector<HICON> icons;
};

BuiltObjects ObjectsOfTheWindow() {
    const PageView& view = TheView();
    BuiltObjects built{
        {view.canvasDc.get(), view.canvasBitmap.get(), view.pictureDc.get(), view.pictureBitmap.get(),
         view.background.get(), view.weatherStripDc.get(), view.weatherStripBitmap.get(), view.moodStripDc.get(),
         view.moodStripBitmap.get(), view.textFont.get(), view.drawing.pen.get()},
        {g_shell.systemMenuResource.get(), g_shell.moodMenu.get(), g_shell.weatherMenu.get(), g_shell.colourMenu.get(),
         g_shell.widthMenu.get(), g_shell.penTypeMenu.get(), g_shell.drawingMenu.get()},
        {g_shell.statusStrip.get()},
        {g_shell.smallIcon.get(), g_shell.largeIcon.get()}};
    if (g_shell.tallScreen) {
        built.windows.push_back(g_shell.commandBar.get());
        built.gdi.push_back(g_shell.colourButtons.get());
        built.gdi.push_back(g_shell.toolbarButtons.get());
    }
    return built;
}

// Each object is alive or gone, and so is the notification icon.
void ExpectAlive(const BuiltObjects& built, bool alive) {
    for (HGDIOBJ object : built.gdi) EXPECT_EQ(GetObjectType(object) != 0, alive) << object;
    for (HMENU menu : built.menus) EXPECT_EQ(IsMenu(menu) != FALSE, alive) << menu;
    for (HWND window : built.windows) EXPECT_EQ(IsWindow(window) != FALSE, alive) << window;
    for (HICON icon : built.icons) {
        ICONINFO info{};
        EXPECT_EQ(GetIconInfo(icon, &info) != FALSE, alive) << icon;
        const OwnedBitmap colour(info.hbmColor), mask(info.hbmMask);  // copies made for the caller
    }
    EXPECT_EQ(NotifyIcon(NIM_MODIFY), alive) << "the notification icon";
}

// Last in the file: it ends the window. A cancelled close keeps every object; an empty page
// closes without a question and releases all of it, leaving nothing to release twice.
TEST_F(Shell, ClosingReleasesEverythingOnce) {
    BuiltObjects built = ObjectsOfTheWindow();
    ExpectAlive(built, true);
    TypeText(L"not saved yet");
    EXPECT_EQ(MessagesShownBy([] { CloseProgram(g_shell.mainWindow); }, {IDCANCEL}), L"Exit|Save Current Changes")
        << "closing with text did not ask";
    ExpectAlive(built, true);
    EXPECT_TRUE(IsWindow(TheView().textBox));

    TypeText(L"");
    CloseProgram(g_shell.mainWindow);
    ExpectAlive(built, false);
    BuiltObjects after = ObjectsOfTheWindow();
    for (HGDIOBJ object : after.gdi) EXPECT_EQ(object, nullptr);
    for (HMENU menu : after.menus) EXPECT_EQ(menu, nullptr);
    EXPECT_EQ(TheView().windowDc.get(), nullptr);
    MSG quit{};
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the message loop was not ended";
    DestroyWindow(g_shell.mainWindow);
}

}  // namespace
