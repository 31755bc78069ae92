// The JPEG encoder's entry and driver: a BMP file becomes a baseline JFIF
// file with 4:2:0 sampling, the typical Huffman tables, the luminance table of
// Annex K and a chrominance table of ones, at 72 dpi.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "jpeg/bmp_reader.h"
#include "jpeg/encoder_state.h"
#include "jpeg/jpeg_host.h"
#include "jpeg/plane_band.h"

namespace jpeg {

// Converts one BMP file into one JPEG file. 1 when the JPEG file was written;
// 0 when the BMP was refused (the reader has shown why), the encoding failed
// (a message is shown) or the file could not be written (no message; an older
// file of that name is left as it was).
int ConvertBmpToJpeg(const std::filesystem::path& bmpPath, const std::filesystem::path& jpegPath, JpegHost& host);
int ConvertBmpToJpeg(const char16_t* bmpPath, const char16_t* jpegPath, JpegHost& host);
// The same from a bitmap file opened already (an export opens each day's picture to
// learn whether it has one); the file is closed when the bitmap has been read.
int ConvertBmpToJpeg(ReadableFile&& bmp, const std::filesystem::path& jpegPath, JpegHost& host);

// Encodes the bitmap into JPEG bytes. 1 on success.
int EncodeLoadedBitmap(const BmpImage& image, JpegHost& host, std::vector<uint8_t>& out);

// Encodes three planes of width * height bytes (row 0 at the top). 1 on success.
int EncodePlanes(int32_t width, int32_t height, std::span<const uint8_t> red, std::span<const uint8_t> green,
                 std::span<const uint8_t> blue, JpegHost& host, std::vector<uint8_t>& out);

// Driver steps, exposed for the tests. Without a band the encoder's planes
// hold the whole picture.
int EncodeImage(JpegEncoder& encoder, JpegHost& host, const PlaneBand* band = nullptr);
void WriteJfifHeaders(JpegEncoder& encoder);

}  // namespace jpeg
