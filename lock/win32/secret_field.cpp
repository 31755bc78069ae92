#include "lock/win32/secret_field.h"

#include <vector>

#include "lock/diary_key.h"

std::string SecretFieldText(HWND field) {
    std::vector<wchar_t> wide(static_cast<std::size_t>(GetWindowTextLengthW(field)) + 1);
    const int length = GetWindowTextW(field, wide.data(), static_cast<int>(wide.size()));
    std::string utf8;
    if (length > 0) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
        utf8.resize(static_cast<std::size_t>(size));
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, utf8.data(), size, nullptr, nullptr);
    }
    WipeSecret({reinterpret_cast<std::uint8_t*>(wide.data()), wide.size() * sizeof(wchar_t)});
    return utf8;
}
