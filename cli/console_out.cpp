#include "cli/console_out.h"

#include <cstdio>

#ifdef _WIN32
#include <windows.h>

#include "platform/utf8.h"
#endif

void PrintOut(const std::string& text) {
#ifdef _WIN32
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (GetConsoleMode(out, &mode)) {
        const std::u16string wide = DecodeUtf8(text);
        DWORD written = 0;
        WriteConsoleW(out, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
#endif
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}
