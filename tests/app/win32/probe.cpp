// Stands in for a program started from a folder of its own: writes the folder it finds
// itself in into "data-folder.txt" and the command line it was started with into
// "command-line.txt", both UTF-16, in that folder.
//
// Started as `probe.exe --hold FILE`, it is another program holding FILE open without
// sharing (a backup or sync tool) until it is ended.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "platform/wide_text.h"
#include "app/win32/diary_location.h"

namespace {

void WriteReport(const std::u16string& path, const void* text, std::size_t units) {
    HANDLE file = CreateFileW(WidePointer(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, text, static_cast<DWORD>(units * sizeof(char16_t)), &written, nullptr);
    CloseHandle(file);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments && count == 3 && std::wstring(arguments[1]) == L"--hold") {
        HANDLE held = CreateFileW(arguments[2], GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (held == INVALID_HANDLE_VALUE) return 1;
        Sleep(INFINITE);
    }
    std::u16string folder = ReadProgramFolder();
    WriteReport(folder + u"\\data-folder.txt", folder.data(), folder.size());
    const wchar_t* commandLine = GetCommandLineW();
    WriteReport(folder + u"\\command-line.txt", commandLine, wcslen(commandLine));
    return 0;
}
