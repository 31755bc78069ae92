// A BMP file's bytes made into a DIB section, as the handheld's shell made one from the
// file itself with SHLoadDIBitmap. The bytes come from whoever read the file, so the
// headers are checked against them before GDI sees any: a bitmap whose header claims
// more than the bytes hold is refused, never read past.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>

// A DIB section holding the bitmap, or nullptr for bytes that are no bitmap this can
// show: another format, a file cut short, a header whose sizes or offsets lie outside
// the bytes, a depth or compression GDI does not draw.
HBITMAP DibSectionOfBmpBytes(std::span<const std::uint8_t> bytes);
