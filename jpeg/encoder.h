// The JPEG encoder's entry and driver: a BMP file becomes a baseline JFIF
// file with 4:2:0 sampling, the typical Huffman tables, the luminance table of
// Annex K and a chrominance table of ones, at 72 dpi.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "jpeg/bmp_reader.h"
#include "jpeg/jpeg_host.h"
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

// The state of one encoding.
struct JpegEncoder {
    const uint8_t* red = nullptr;    // planes `width` bytes a row, holding the picture's rows
    const uint8_t* green = nullptr;  // from planeTop down: all of them, or the MCU row being coded
    const uint8_t* blue = nullptr;
    int32_t planeTop = 0;
    std::array<Block, 4> luminance{};  // the MCU's top-left, top-right, bottom-left, bottom-right
    Block cb{};
    Block cr{};
    Block coefficients{};              // natural order: index u * 8 + v
    std::array<int32_t, 3> dcPredictors{};  // Y, Cb, Cr; never reset within a picture
    JpegParams params;
    int32_t mcuRows = 0;
    int32_t mcuColumns = 0;
    JpegStream stream;
};

// Converts one BMP file into one JPEG file. 1 when the JPEG file was written;
// 0 when the BMP was refused (the reader has shown why), the encoding failed
// (a message is shown) or the file could not be written (no message; an older
// file of that name is left as it was).
int ConvertBmpToJpeg(const std::filesystem::path& bmpPath, const std::filesystem::path& jpegPath, JpegHost& host);
int ConvertBmpToJpeg(const char16_t* bmpPath, const char16_t* jpegPath, JpegHost& host);

// Encodes the bitmap into JPEG bytes. 1 on success.
int EncodeLoadedBitmap(const BmpImage& image, JpegHost& host, std::vector<uint8_t>& out);

// Encodes three planes of width * height bytes (row 0 at the top). 1 on success.
int EncodePlanes(int32_t width, int32_t height, std::span<const uint8_t> red,
                 std::span<const uint8_t> green, std::span<const uint8_t> blue, JpegHost& host,
                 std::vector<uint8_t>& out);

// Planes of 16 rows that EncodeImage fills from a bitmap one MCU row at a
// time, so that a picture is never held as planes as well as a bitmap.
struct PlaneBand {
    const BmpImage* bitmap;
    std::span<uint8_t> red, green, blue;  // width * 16 bytes each
};

// Driver steps, exposed for the tests. Without a band the encoder's planes
// hold the whole picture.
int EncodeImage(JpegEncoder& encoder, JpegHost& host, const PlaneBand* band = nullptr);
void WriteJfifHeaders(JpegEncoder& encoder);
// The picture rows of MCU row `row` into the band, which the encoder then reads.
int FillBand(JpegEncoder& encoder, const PlaneBand& band, int32_t row, JpegHost& host);

}  // namespace jpeg
