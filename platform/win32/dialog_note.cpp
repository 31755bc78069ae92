#include "dialog_note.h"

#include "platform/wide_text.h"

void AddDialogNote(HWND dialog, const std::u16string& text) {
    RECT client{};
    GetClientRect(dialog, &client);
    // The margins of the dialogs' own layouts, in dialog units: 7 at the sides, 4 above
    // and below the note.
    RECT margin{7, 4, 0, 0};
    MapDialogRect(dialog, &margin);
    const int width = client.right - 2 * margin.left;
    const HFONT font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    RECT wrapped{0, 0, width, 0};
    if (HDC dc = GetDC(dialog)) {
        const HGDIOBJ previous = SelectObject(dc, font);
        DrawTextW(dc, WidePointer(text), -1, &wrapped, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        SelectObject(dc, previous);
        ReleaseDC(dialog, dc);
    }
    HWND note =
        CreateWindowExW(0, L"STATIC", WidePointer(text), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, margin.left,
                        client.bottom + margin.top, width, wrapped.bottom, dialog, nullptr, nullptr, nullptr);
    if (!note) return;
    SendMessageW(note, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    RECT outer{};
    GetWindowRect(dialog, &outer);
    SetWindowPos(dialog, nullptr, 0, 0, outer.right - outer.left,
                 outer.bottom - outer.top + wrapped.bottom + 2 * margin.top, SWP_NOMOVE | SWP_NOZORDER);
}
