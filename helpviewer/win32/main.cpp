// peghelp.exe: shows the diary's help page. The diary starts it with the page's path on
// the command line; the page is read whole in code page 932 and the file let go at once.
#include "diarycore/codepage.h"
#include "helpviewer/command_line.h"
#include "helpviewer/help_page.h"
#include "help_window.h"
#include "page_file.h"
#include "platform/wide_text.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

struct PageFileMessage {
    PageFileStatus status;
    const wchar_t* text;  // the page's path follows it
    int exitCode;
};

constexpr PageFileMessage kPageFileMessages[] = {
    {PageFileStatus::NoPageNamed, L"No help page was named. Start the help viewer with the path of a page.", 2},
    {PageFileStatus::CannotOpen, L"The help page cannot be opened:\n", 3},
    {PageFileStatus::CannotRead, L"The help page cannot be read:\n", 4},
    {PageFileStatus::TooLarge, L"The file is too large to be a help page:\n", 5},
};

int ReportPageFileFailure(PageFileStatus status, const std::wstring& path) {
    for (const PageFileMessage& message : kPageFileMessages) {
        if (message.status != status) continue;
        std::wstring text = message.text;
        if (status != PageFileStatus::NoPageNamed) text += path;
        MessageBoxW(nullptr, text.c_str(), kDefaultHelpTitle, MB_ICONEXCLAMATION | MB_OK);
        return message.exitCode;
    }
    return 1;
}

std::u16string ProgramFileName() {
    std::vector<wchar_t> buffer(32768);
    DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    std::wstring path(buffer.data(), length);
    std::wstring name = path.substr(path.find_last_of(L"\\/") + 1);
    return FromWide(name.c_str(), name.size());
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    // The whole command line: the handheld put the page's path first, where a program's
    // own name usually stands.
    const wchar_t* commandLine = GetCommandLineW();
    std::u16string pagePath = FindPagePath(FromWide(commandLine, wcslen(commandLine)), ProgramFileName());
    std::wstring path(pagePath.begin(), pagePath.end());
    std::vector<std::uint8_t> bytes;
    PageFileStatus status = path.empty() ? PageFileStatus::NoPageNamed : ReadPageFile(path, bytes);
    if (status != PageFileStatus::Ok) return ReportPageFileFailure(status, path);
    return RunHelpWindow(instance, ParseHelpPage(DecodeCp932(bytes)), show);
}
