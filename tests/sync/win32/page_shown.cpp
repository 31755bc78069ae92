// page_shown [--dialogs]
// Prints what the diary's window shows, for a script that drives it from outside: the
// page's text (UTF-8, one line each), or with --dialogs the caption and text of each
// message box or dialog on screen, one a line ("caption|text"). Exit code 1 when there is
// no diary window.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

// Asked of the window itself: GetWindowText gives nothing of another program's controls.
std::wstring TextOf(HWND window) {
    if (!window) return {};
    const LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        SendMessageW(window, WM_GETTEXT, static_cast<WPARAM>(text.size()), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

void PrintUtf8(const std::wstring& text) {
    std::wstring plain;
    for (const wchar_t c : text)
        if (c != L'\r') plain += c;
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, plain.data(), static_cast<int>(plain.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, plain.data(), static_cast<int>(plain.size()), bytes.data(), size, nullptr, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    std::fputc('\n', stdout);
}

BOOL CALLBACK PrintDialog(HWND window, LPARAM) {
    wchar_t kind[16] = {};
    GetClassNameW(window, kind, 16);
    if (std::wstring(kind) == L"#32770" && IsWindowVisible(window))
        PrintUtf8(TextOf(window) + L"|" + TextOf(GetDlgItem(window, 0xFFFF)));
    return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    HWND diary = FindWindowW(L"DOODLE_BINDER", nullptr);
    if (!diary) return 1;
    if (argc > 1 && std::wstring(argv[1]) == L"--dialogs") {
        EnumWindows(PrintDialog, 0);
        return 0;
    }
    PrintUtf8(TextOf(GetDlgItem(diary, 101)));
    return 0;
}
