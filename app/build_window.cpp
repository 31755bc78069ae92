#include "build_window.h"

#include <commctrl.h>

#include "canvas/pens.h"
#include "canvas/picture_bytes.h"
#include "canvas/ruled_text_box.h"
#include "daystore/navigation.h"
#include "daystore/page.h"
#include "daystore/place_codes.h"
#include "notification_icon.h"
#include "page_menus.h"
#include "platform/dialog_template.h"
#include "platform/command_bar.h"
#include "resource.h"
#include "shell_state.h"
#include "window_layout.h"

namespace {

// Page layout below the command bar (y relative to t).
struct PageBox {
    int x, y, width, height;
};
constexpr PageBox kPlaceBox = {219, 10, 80, 150};   // the height includes the dropped-down list
constexpr PageBox kTextBox = {29, 31, 275, 149};
constexpr DWORD kTextBoxStyle = 0x50000044;       // WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL
constexpr DWORD kPlaceBoxStyle = 0x50000003;      // WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST

void BuildCommandBar(HWND window) {
    g_shell.commandBar = CommandBar_Create(g_shell.instance, window, IDC_COMMAND_BAR);
    CommandBar_InsertMenubar(g_shell.commandBar, g_shell.instance, IDR_MENU_BAR, 0);
    CommandBar_AddBitmap(g_shell.commandBar, g_shell.instance, IDB_TOOLBAR, 4, 0, 0);
    // The colour button shows the pen's colour. Its pictures are given as a bitmap of our
    // own: from a resource the toolbar would turn black, greys and white into the
    // system's button colours.
    g_shell.colourButtons = static_cast<HBITMAP>(LoadImageW(
        g_shell.instance, MAKEINTRESOURCEW(IDB_COLOUR_BUTTONS), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    TBADDBITMAP colours{nullptr, reinterpret_cast<UINT_PTR>(g_shell.colourButtons)};
    g_shell.firstColourButtonImage = static_cast<int>(SendMessageW(
        g_shell.commandBar, TB_ADDBITMAP, kPalette.size(), reinterpret_cast<LPARAM>(&colours)));
    const TBBUTTON buttons[] = {
        {0, 0, 0, TBSTYLE_SEP, {}, 0, 0},
        {0, IDM_COLOUR_BUTTON, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
        {1, IDM_WIDTH_BUTTON, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
        {2, IDM_PEN_TYPE_BUTTON, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
        {0, 0, 0, TBSTYLE_SEP, {}, 0, 0},
        {3, IDM_RULED_LINES, TBSTATE_ENABLED | TBSTATE_CHECKED, TBSTYLE_BUTTON, {}, 0, 0},
    };
    SendMessageW(g_shell.commandBar, TB_ADDBUTTONS, std::size(buttons), reinterpret_cast<LPARAM>(buttons));
    ShowPenColourOnButton();

    int height = CommandBar_Height(g_shell.commandBar);
    g_shell.contentHeight += height;
    g_shell.windowY = CentredWindowY(GetSystemMetrics(SM_CYSCREEN), g_shell.contentHeight);
    g_shell.commandBarHeight = height;

    // The client area is the whole page: 640 x (214 + t), below the menu bar and caption.
    RECT frame{0, 0, g_shell.windowWidth, g_shell.contentHeight};
    AdjustWindowRectEx(&frame, g_shell.windowStyle, GetMenu(window) != nullptr, 0);
    MoveWindow(window, g_shell.windowX, g_shell.windowY, frame.right - frame.left, frame.bottom - frame.top,
               FALSE);
}

void SetWindowIcons(HWND window) {
    g_shell.smallIcon = static_cast<HICON>(
        LoadImageW(g_shell.instance, MAKEINTRESOURCEW(IDI_DOODLEBINDER), IMAGE_ICON, 16, 16, 0));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(g_shell.smallIcon));
    // The desktop also shows a large icon (task switcher, taskbar).
    g_shell.largeIcon = static_cast<HICON>(
        LoadImageW(g_shell.instance, MAKEINTRESOURCEW(IDI_DOODLEBINDER), IMAGE_ICON, 32, 32, 0));
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(g_shell.largeIcon));
}

HDC MakeStrip(int bitmapId, HBITMAP& bitmap) {
    HDC dc = CreateCompatibleDC(g_shell.windowDc);
    bitmap = LoadBitmapW(g_shell.instance, MAKEINTRESOURCEW(bitmapId));
    SelectObject(dc, bitmap);
    return dc;
}

void BuildCanvas() {
    g_shell.canvasDc = CreateCompatibleDC(g_shell.windowDc);
    g_shell.canvasBitmap = CreateCompatibleBitmap(g_shell.windowDc, g_shell.windowWidth, g_shell.contentHeight);
    SelectObject(g_shell.canvasDc, g_shell.canvasBitmap);
    // The rows above t lie under the command bar; keep them white rather than undefined.
    RECT top{0, 0, g_shell.windowWidth, g_shell.commandBarHeight};
    FillRect(g_shell.canvasDc, &top, g_shell.backgroundBrush);

    g_shell.weatherStripDc = MakeStrip(IDB_WEATHER_STRIP, g_shell.weatherStripBitmap);
    g_shell.moodStripDc = MakeStrip(IDB_MOOD_STRIP, g_shell.moodStripBitmap);

    HDC pictureDc = CreateCompatibleDC(g_shell.windowDc);
    HBITMAP background = LoadBitmapW(g_shell.instance, MAKEINTRESOURCEW(IDB_BACKGROUND));
    HGDIOBJ old = SelectObject(pictureDc, background);
    BitBlt(g_shell.canvasDc, 0, g_shell.commandBarHeight, g_shell.windowWidth, kPageHeight, pictureDc, 0, 0, SRCCOPY);
    SelectObject(pictureDc, old);
    DeleteDC(pictureDc);
    DeleteObject(background);
}

HWND MakeChild(HWND window, const wchar_t* className, DWORD style, const PageBox& box, int id) {
    return CreateWindowExW(0, className, nullptr, style, box.x, g_shell.commandBarHeight + box.y, box.width,
                           box.height, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           g_shell.instance, nullptr);
}

void BuildStatusStrip(HWND window) {
    const DLGTEMPLATE* dialogTemplate = FindDialogTemplate(g_shell.instance, IDD_STATUS_STRIP);
    if (dialogTemplate) {
        g_shell.statusStrip =
            CreateDialogIndirectParamW(g_shell.instance, dialogTemplate, nullptr, StatusStripDialogProc, 0);
    }
    if (!g_shell.statusStrip) MessageBoxW(window, L"888888888888888", L"Err", MB_ICONHAND);
    SetWindowPos(g_shell.statusStrip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_HIDEWINDOW);
}

void BuildTextControls() {
    LOGFONTW face{};
    face.lfHeight = 13;
    face.lfWeight = FW_NORMAL;
    face.lfCharSet = SHIFTJIS_CHARSET;
    g_shell.textFont = CreateFontIndirectW(&face);
    SendMessageW(g_shell.textBox, WM_SETFONT, reinterpret_cast<WPARAM>(g_shell.textFont), FALSE);
    SendMessageW(g_shell.placeBox, WM_SETFONT, reinterpret_cast<WPARAM>(g_shell.textFont), FALSE);
}

}  // namespace

INT_PTR CALLBACK StatusStripDialogProc(HWND, UINT, WPARAM, LPARAM) { return 0; }

LRESULT BuildMainWindow(HWND window) {
    g_shell.windowDc = GetDC(window);
    if (g_shell.tallScreen) BuildCommandBar(window);
    SetWindowIcons(window);
    ShowProgramNotificationIcon(window);
    InstallTaskbarHook();
    g_shell.systemMenuResource = LoadMenuW(g_shell.instance, MAKEINTRESOURCEW(IDR_SYSTEM_MENU));
    BuildPopupMenus();
    BuildCanvas();
    ShowToday();

    g_shell.textBox = MakeChild(window, L"EDIT", kTextBoxStyle, kTextBox, IDC_TEXT_BOX);
    g_shell.placeBox = MakeChild(window, L"COMBOBOX", kPlaceBoxStyle, kPlaceBox, IDC_PLACE_BOX);
    BuildStatusStrip(window);
    for (const char16_t* code : kPlaceCodes) {
        SendMessageW(g_shell.placeBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(code));
    }
    BuildTextControls();
    CreateDrawingPen();

    g_shell.textBoxPreviousProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(g_shell.textBox, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RuledTextBoxFilter)));
    SendMessageW(g_shell.textBox, EM_SETMARGINS, EC_USEFONTINFO, 2);
    LoadDay();
    return 0;
}
