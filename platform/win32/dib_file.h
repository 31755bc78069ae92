// The handheld's shell loads a BMP file into a bitmap with SHLoadDIBitmap; the desktop
// has no such call, so it is made here from LoadImageW.
#pragma once

#include <windows.h>

// A DIB section holding the file's picture, or nullptr for a missing or unreadable file.
HBITMAP SHLoadDIBitmap(LPCWSTR path);
