#include "computer_name.h"

#include <unistd.h>

#include <climits>
#include <string>

std::u16string ThisComputerName() {
    char name[HOST_NAME_MAX + 1]{};
    if (gethostname(name, sizeof name) != 0) name[0] = '\0';
    name[HOST_NAME_MAX] = '\0';
    // A host name is ASCII; anything else becomes '_' below.
    std::u16string wide;
    for (const char* c = name; *c; ++c) wide += static_cast<unsigned char>(*c) < 0x80 ? char16_t(*c) : u'_';
    return ComputerFolderName(wide);
}
