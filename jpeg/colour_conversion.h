// The colour conversion of one MCU: RGB samples to Y, Cb and Cr, each the
// truncated result of the formula's double arithmetic, and the chroma
// decimated to the top-left pixel of each 2 x 2 group.
#pragma once

#include <cstddef>
#include <cstdint>

#include "jpeg/encoder_state.h"

namespace jpeg {

struct YCbCr {
    int32_t y;   // -128 .. 127
    int32_t cb;  // -127 .. 127
    int32_t cr;  // -127 .. 127
};
YCbCr ConvertPixel(uint8_t red, uint8_t green, uint8_t blue);

// 16 x 16 pixels of the three planes, rows `stride` bytes apart.
struct Tile {
    const uint8_t* red;
    const uint8_t* green;
    const uint8_t* blue;
    size_t stride;
};

// Fills the encoder's four luminance blocks and its Cb and Cr blocks from the
// tile. Vector instructions where the processor has them (SSE2 on x86-64);
// the portable form gives the same samples everywhere.
void ConvertTile(const Tile& tile, JpegEncoder& encoder);
void ConvertTilePortable(const Tile& tile, JpegEncoder& encoder);

}  // namespace jpeg
