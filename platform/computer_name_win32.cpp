#include "computer_name.h"

#include <windows.h>

std::u16string ThisComputerName() {
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1]{};
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    if (!GetComputerNameW(name, &size)) size = 0;
    return ComputerFolderName(std::u16string_view(reinterpret_cast<const char16_t*>(name), size));
}
