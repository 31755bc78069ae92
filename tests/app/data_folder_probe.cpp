// Writes the data folder that the program would use into that folder, as UTF-16.
#include <windows.h>

#include <string>

#include "platform/wide_text.h"
#include "startup.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    std::u16string folder = ReadDataFolder();
    std::u16string report = folder + u"\\data-folder.txt";
    HANDLE file = CreateFileW(WidePointer(report), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    WriteFile(file, folder.data(), static_cast<DWORD>(folder.size() * sizeof(char16_t)), &written, nullptr);
    CloseHandle(file);
    return 0;
}
