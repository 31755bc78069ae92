#include "platform/win32/folder_browser.h"

#include <shlobj.h>

#include "platform/wide_text.h"

namespace {

int CALLBACK SelectStartFolder(HWND browser, UINT message, LPARAM, LPARAM start) {
    if (message == BFFM_INITIALIZED && start) SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, start);
    return 0;
}

}  // namespace

// Under Wine the older browser is the one that works everywhere.
std::optional<std::filesystem::path> BrowseForFolder(HWND owner, const std::u16string& title,
                                                     const std::filesystem::path& start) {
    const std::wstring startText = start.wstring();
    BROWSEINFOW browse{};
    browse.hwndOwner = owner;
    browse.lpszTitle = WidePointer(title);
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX;
    browse.lpfn = SelectStartFolder;
    browse.lParam = start.empty() ? 0 : reinterpret_cast<LPARAM>(startText.c_str());
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&browse);
    if (!chosen) return std::nullopt;
    wchar_t path[MAX_PATH] = {};
    const bool named = SHGetPathFromIDListW(chosen, path);
    CoTaskMemFree(chosen);
    if (!named) return std::nullopt;
    return std::filesystem::path(path);
}
