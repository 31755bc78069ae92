#include "command_bar.h"

#include <commctrl.h>

#include "platform/win32/shown_language.h"

HWND CommandBar_Create(HINSTANCE instance, HWND parent, int id) {
    // The buttons' commands arrive at the parent as WM_COMMAND with high word 0.
    HWND bar =
        CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | CCS_TOP | CCS_NODIVIDER,
                        0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (bar) SendMessageW(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    return bar;
}

BOOL CommandBar_InsertMenubar(HWND bar, HINSTANCE instance, WORD menuId, WORD) {
    HMENU menu = LoadShownMenu(instance, menuId);
    if (!bar || !menu) return FALSE;
    if (SetMenu(GetParent(bar), menu)) return TRUE;
    DestroyMenu(menu);
    return FALSE;
}

int CommandBar_AddBitmap(HWND bar, HINSTANCE instance, int bitmapId, int count, int width, int height) {
    SendMessageW(bar, TB_SETBITMAPSIZE, 0, MAKELPARAM(width ? width : 16, height ? height : 16));
    TBADDBITMAP bitmap{instance, static_cast<UINT_PTR>(bitmapId)};
    int first = static_cast<int>(SendMessageW(bar, TB_ADDBITMAP, count, reinterpret_cast<LPARAM>(&bitmap)));
    SendMessageW(bar, TB_AUTOSIZE, 0, 0);
    return first;
}

int CommandBar_Height(HWND bar) {
    if (!bar) return 0;
    SendMessageW(bar, TB_AUTOSIZE, 0, 0);
    RECT rect;
    GetWindowRect(bar, &rect);
    return rect.bottom - rect.top;
}

HMENU CommandBar_GetMenu(HWND bar, WORD) { return bar ? GetMenu(GetParent(bar)) : nullptr; }
