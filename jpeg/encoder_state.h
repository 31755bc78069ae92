// The state of one encoding, which every stage of the encoder works on: the
// picture's planes, the blocks of the MCU in hand and the output stream.
#pragma once

#include <array>
#include <cstdint>

#include "jpeg/jpeg_stream.h"

namespace jpeg {

struct JpegParams {
    int32_t width = 0;
    int32_t height = 0;
    int32_t componentCount = 3;
    int32_t samplePrecision = 8;
    uint8_t densityUnits = 1;  // dots per inch
    int32_t xDensity = 72;
    int32_t yDensity = 72;
};

using Block = std::array<int32_t, 64>;  // row-major, index row * 8 + column

struct JpegEncoder {
    const uint8_t* red = nullptr;    // planes `width` bytes a row, holding the picture's rows
    const uint8_t* green = nullptr;  // from planeTop down: all of them, or the MCU row being coded
    const uint8_t* blue = nullptr;
    int32_t planeTop = 0;
    std::array<Block, 4> luminance{};  // the MCU's top-left, top-right, bottom-left, bottom-right
    Block cb{};
    Block cr{};
    Block coefficients{};                   // natural order: index u * 8 + v
    std::array<int32_t, 3> dcPredictors{};  // Y, Cb, Cr; never reset within a picture
    JpegParams params;
    int32_t mcuRows = 0;
    int32_t mcuColumns = 0;
    JpegStream stream;
};

}  // namespace jpeg
