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

OwnedImageList CommandBar_SetImages(HWND bar, std::initializer_list<HBITMAP> strips, int zoom) {
    constexpr int kImageSize = 16;
    const int size = kImageSize * zoom;
    OwnedImageList images(ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, 0, 4));
    const OwnedWindowDc screen(nullptr);
    for (HBITMAP strip : strips) {
        BITMAP shape{};
        if (!GetObjectW(strip, sizeof(shape), &shape)) continue;
        const int width = shape.bmWidth / kImageSize * kImageSize;
        const OwnedBitmap large(CreateCompatibleBitmap(screen.get(), width * zoom, size));
        {
            const OwnedDc from(CreateCompatibleDC(screen.get())), to(CreateCompatibleDC(screen.get()));
            const SelectedObject source(from.get(), strip), target(to.get(), large.get());
            // Whole pixels repeated, never blended, so the pixel art stays crisp.
            SetStretchBltMode(to.get(), COLORONCOLOR);
            StretchBlt(to.get(), 0, 0, width * zoom, size, from.get(), 0, 0, width, kImageSize, SRCCOPY);
        }
        ImageList_AddMasked(images.get(), large.get(), GetSysColor(COLOR_BTNFACE));
    }
    SendMessageW(bar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images.get()));
    SendMessageW(bar, TB_SETBITMAPSIZE, 0, MAKELPARAM(size, size));
    // The room around an image grows with it: the whole button is `zoom` times its 1x size.
    const DWORD padding = static_cast<DWORD>(SendMessageW(bar, TB_GETPADDING, 0, 0));
    SendMessageW(bar, TB_SETBUTTONSIZE, 0,
                 MAKELPARAM((kImageSize + LOWORD(padding)) * zoom, (kImageSize + HIWORD(padding)) * zoom));
    SendMessageW(bar, TB_AUTOSIZE, 0, 0);
    InvalidateRect(bar, nullptr, TRUE);
    return images;
}

int CommandBar_Height(HWND bar) {
    if (!bar) return 0;
    SendMessageW(bar, TB_AUTOSIZE, 0, 0);
    RECT rect;
    GetWindowRect(bar, &rect);
    return rect.bottom - rect.top;
}

HMENU CommandBar_GetMenu(HWND bar, WORD) { return bar ? GetMenu(GetParent(bar)) : nullptr; }
