// Writes the small bitmaps of every layout that start the fuzz target's runs:
//   jpeg_make_seeds tests/jpeg/fuzz/seeds
#include <filesystem>

#include "test_files.h"
#include "test_support.h"

using namespace jpegtest;

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::filesystem::path dir = argv[1];
    const struct { const char* name; BmpLayout layout; } seeds[] = {
        {"4bit.bmp", {.bitCount = 4}},
        {"4bit-2colours.bmp", {.bitCount = 4, .paletteSize = 2, .clrUsed = 2}},
        {"8bit.bmp", {.bitCount = 8, .paletteSize = 16, .clrUsed = 16}},
        {"16bit.bmp", {.bitCount = 16}},
        {"24bit-topdown.bmp", {.bitCount = 24, .topDown = true}},
        {"32bit.bmp", {.bitCount = 32}},
    };
    for (const auto& s : seeds) {
        Picture p = SolidPicture(19, 5, 0xFFFFFF);
        p.Set(3, 2, 0x000000);
        if (s.layout.clrUsed != 2) p.Set(10, 1, 0x800000), p.Set(18, 4, 0x0000FF);
        WriteFileBytes(dir / s.name, MakeBmp(p, s.layout));
    }
    return 0;
}
