// Writes a generated day picture (264 x 160, 4 bits per pixel) for the
// console program's tests.
#include <cstdio>

#include "test_support.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const auto bmp = jpegtest::MakeBmp(jpegtest::StrokePicture(264, 160, 21), {.bitCount = 4});
    jpegtest::WriteFileBytes(argv[1], bmp);
    return jpegtest::ReadFileBytes(argv[1]).size() == bmp.size() ? 0 : 1;
}
