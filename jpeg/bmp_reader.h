// The encoder's own BMP reader: a Windows device-independent bitmap file is
// loaded into a BmpImage and turned into top-down red, green and blue planes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "file_read.h"
#include "jpeg/jpeg_host.h"

namespace jpeg {

// A loaded bitmap. Every field is checked against the file when it is loaded,
// so extraction can trust the sizes and the colour indices it finds here.
// A large bitmap without a colour table keeps its rows in the file, which is
// held open and read a band at a time as the rows are extracted: a
// photograph's tens of megabytes are then never in memory at once.
struct BmpImage {
    std::vector<uint8_t> infoBlock;  // info header and colour table: file bytes 14 .. bfOffBits - 1
    std::vector<uint8_t> pixels;     // the pixel rows as stored, each padded to 4 bytes
    ReadableFile rowFile;            // instead of `pixels`: the file, its rows from rowsOffset
    uint64_t rowsOffset = 0;
    mutable std::vector<uint8_t> rowBuffer;  // the rows read from rowFile last
    int32_t width = 0;                       // pixels, 1 .. 65535 once loaded
    int32_t height = 0;                      // pixels, 1 .. 65535 once loaded (biHeight without its sign)
    bool topDown = false;                    // biHeight was negative: the first stored row is the top one
    uint16_t bitCount = 0;                   // 1, 4, 8, 16, 24 or 32
    uint32_t stride = 0;                     // bytes per stored row
    size_t colourTableOffset = 0;            // in infoBlock: right after the info header
    int32_t colourCount = 0;                 // usable colour-table entries; 0 without a table
};

// Loads a bitmap from the bytes of a whole file; 1 on success, 0 after showing
// the reason. A file refused before its info header is looked at (too short,
// no "BM") leaves an earlier bitmap in place; any later refusal empties it.
int LoadBmp(BmpImage& image, std::span<const uint8_t> file, JpegHost& host);
// The same from a file; the rows of 16- to 32-bit bitmaps of kRowsReadInBands
// bytes or more stay in the file until extracted.
int LoadBmp(BmpImage& image, const std::filesystem::path& path, JpegHost& host);
// The same from a file opened already, which the bitmap keeps or closes.
int LoadBmp(BmpImage& image, ReadableFile&& file, JpegHost& host);
inline constexpr uint64_t kRowsReadInBands = uint64_t{1} << 20;

struct BmpSize {
    int32_t width;
    int32_t height;
};
// (0, 0) when nothing is loaded.
BmpSize GetBmpSize(const BmpImage& image);

// Fills three planes of width * height bytes, row 0 at the top. 1 on success;
// 0 when nothing is loaded or the layout is one it does not handle.
int ExtractPlanes(const BmpImage& image, std::span<uint8_t> red, std::span<uint8_t> green, std::span<uint8_t> blue,
                  JpegHost& host);

// The same for the rows firstRow .. firstRow + rowCount - 1 (counted from the
// top) only: planes of width * rowCount bytes. 0 also when the rows are not
// all in the picture, and, after showing why, when rows kept in the file can
// no longer be read from it.
int ExtractPlaneRows(const BmpImage& image, int32_t firstRow, int32_t rowCount, std::span<uint8_t> red,
                     std::span<uint8_t> green, std::span<uint8_t> blue, JpegHost& host);

}  // namespace jpeg
