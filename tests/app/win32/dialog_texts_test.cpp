// Every dialog of the resources in both languages, at the scale the test runs at: each
// label, button and check box shows its whole text in the dialog's own font.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/wide_text.h"
#include "platform/win32/dialog_template.h"
#include "platform/win32/loaded_text.h"
#include "platform/win32/shown_language.h"
#include "resources/resource.h"

namespace {

INT_PTR CALLBACK QuietDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// The room the control's text needs beside the control's own parts, in pixels.
int Frame(const std::wstring& kind, LONG style) {
    if (kind != L"Button") return 0;
    const LONG type = style & BS_TYPEMASK;
    if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON)
        return GetSystemMetrics(SM_CXMENUCHECK) + 4;
    return 2 * GetSystemMetrics(SM_CXEDGE) + 4;
}

// The controls of `dialog` whose text does not fit, one line each.
std::wstring CutTexts(HWND dialog, const wchar_t* name) {
    std::wstring cut;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t kind[32] = {}, text[256] = {};
        GetClassNameW(child, kind, 32);
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        if ((std::wstring(kind) != L"Static" || (style & SS_TYPEMASK) == SS_ICON) && std::wstring(kind) != L"Button")
            continue;
        if (GetWindowTextW(child, text, 256) == 0) continue;
        RECT room;
        GetClientRect(child, &room);
        room.right -= Frame(kind, style);
        HDC dc = GetDC(child);
        const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)));
        RECT needed = room;
        // Labels wrap within their width; buttons keep to one line.
        const UINT wrap = std::wstring(kind) == L"Static" ? DT_WORDBREAK : DT_SINGLELINE;
        DrawTextW(dc, text, -1, &needed, DT_CALCRECT | wrap);
        SelectObject(dc, old);
        ReleaseDC(child, dc);
        if (needed.right > room.right || needed.bottom > room.bottom)
            cut += std::wstring(name) + L": \"" + text + L"\" needs " + std::to_wstring(needed.right) + L" x " +
                   std::to_wstring(needed.bottom) + L", has " + std::to_wstring(room.right) + L" x " +
                   std::to_wstring(room.bottom) + L"\n";
    }
    return cut;
}

// The texts the program puts into a dialog's empty controls when it shows it, in each way
// it may show them; a dialog that has none is measured as it is.
using FillIn = void (*)(HWND dialog, int way);

void AskedForPasswordOrRecoveryKey(HWND dialog, int way) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const auto set = [&](int control, UINT id, std::initializer_list<std::u16string_view> parts = {}) {
        SetDlgItemTextW(dialog, control, WidePointer(LoadText(instance, id, parts)));
    };
    const bool recovering = way == 1;
    set(IDC_PASSWORD_ABOUT, recovering ? IDS_RECOVERY_KEY_ABOUT : IDS_PASSWORD_ABOUT,
        {u"C:\\Users\\a longer name\\Documents\\Doodlebinder"});
    set(IDC_PASSWORD_LABEL, recovering ? IDS_RECOVERY_KEY_LABEL : IDS_PASSWORD_LABEL);
    set(IDC_PASSWORD_FORGOTTEN, recovering ? IDS_PASSWORD_REMEMBERED : IDS_PASSWORD_FORGOTTEN);
    set(IDC_PASSWORD_TOLD, recovering ? IDS_RECOVERY_KEY_WRONG : IDS_PASSWORD_WRONG);
}

void AskedForANewPassword(HWND dialog, int way) {
    constexpr UINT kAbout[] = {IDS_NEW_PASSWORD_TO_LOCK, IDS_NEW_PASSWORD_TO_CHANGE, IDS_NEW_PASSWORD_RECOVERED};
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    SetDlgItemTextW(
        dialog, IDC_NEW_PASSWORD_ABOUT,
        WidePointer(LoadText(instance, kAbout[way], {u"C:\\Users\\a longer name\\Documents\\Doodlebinder"})));
    SetDlgItemTextW(dialog, IDC_NEW_PASSWORD_TOLD, WidePointer(LoadText(instance, IDS_NEW_PASSWORDS_DIFFER)));
}

// The words above the field that holds the key.
void ShownTheRecoveryKey(HWND dialog, int) {
    std::u16string about = LoadText(GetModuleHandleW(nullptr), IDS_RECOVERY_KEY_SHOWN, {u""});
    while (!about.empty() && (about.back() == u'\n' || about.back() == u' ')) about.pop_back();
    SetDlgItemTextW(dialog, IDC_RECOVERY_KEY_ABOUT, WidePointer(about));
}

TEST(DialogTexts, EveryTextFitsItsControlInBothLanguages) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    constexpr struct {
        int id;
        const wchar_t* name;
        FillIn fill = nullptr;
        int ways = 1;
    } kDialogs[] = {{IDD_FIND, L"Find"},
                    {IDD_BACKUPS, L"Backups"},
                    {IDD_EARLIER_VERSIONS, L"Versions"},
                    {IDD_ABOUT, L"About"},
                    {IDD_HTML_OUTPUT, L"HTML output"},
                    {IDD_DAY_PICKER, L"Day picker"},
                    {IDD_DIARY_FOLDER, L"Diary folder"},
                    {IDD_DIARY_PASSWORD, L"Password", AskedForPasswordOrRecoveryKey, 2},
                    {IDD_NEW_PASSWORD, L"New password", AskedForANewPassword, 3},
                    {IDD_RECOVERY_KEY, L"Recovery key", ShownTheRecoveryKey}};
    std::wstring cut;
    for (ProgramLanguage language : {ProgramLanguage::Japanese, ProgramLanguage::English}) {
        ShowLanguage(language);
        for (const auto& dialog : kDialogs) {
            const DLGTEMPLATE* found = FindDialogTemplate(instance, dialog.id);
            ASSERT_TRUE(found) << dialog.id;
            for (int way = 0; way < dialog.ways; ++way) {
                HWND made = CreateDialogIndirectParamW(instance, found, nullptr, QuietDialogProc, 0);
                ASSERT_TRUE(made) << dialog.id;
                if (dialog.fill) dialog.fill(made, way);
                cut += CutTexts(made, dialog.name);
                DestroyWindow(made);
            }
        }
    }
    EXPECT_EQ(cut, L"");
}

}  // namespace
