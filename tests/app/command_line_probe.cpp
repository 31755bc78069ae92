// Stands in for the help viewer: writes the command line it was started with, as UTF-16,
// into "command-line.txt" beside itself.
#include <windows.h>

#include <string>

#include "platform/wide_text.h"
#include "startup.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    std::u16string report = ReadDataFolder() + u"\\command-line.txt";
    const wchar_t* commandLine = GetCommandLineW();
    HANDLE file = CreateFileW(WidePointer(report), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    WriteFile(file, commandLine, static_cast<DWORD>(wcslen(commandLine) * sizeof(wchar_t)), &written, nullptr);
    CloseHandle(file);
    return 0;
}
