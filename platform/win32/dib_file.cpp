#include "dib_file.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kCoreHeaderBytes = 12;  // BITMAPCOREHEADER, the OS/2 layout
// A compressed bitmap's section is as large as its header says, whatever its bytes: a
// few bytes of run lengths may claim any size, so the section has a bound of its own.
constexpr std::uint64_t kLargestCompressedSection = 256u << 20;

std::uint16_t U16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

std::uint32_t U32(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
           static_cast<std::uint32_t>(b[at + 2]) << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

// A BITMAPINFO with room for the largest colour table, or the three masks of BI_BITFIELDS.
struct DibInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
};

bool DepthFitsCompression(std::uint16_t bits, std::uint32_t compression) {
    switch (compression) {
    case BI_RGB: return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    case BI_RLE4: return bits == 4;
    case BI_RLE8: return bits == 8;
    case BI_BITFIELDS: return bits == 16 || bits == 32;
    default: return false;  // JPEG or PNG inside a BMP, and anything newer
    }
}

}  // namespace

HBITMAP DibSectionOfBmpBytes(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kFileHeaderBytes + kCoreHeaderBytes || bytes[0] != 'B' || bytes[1] != 'M') return nullptr;
    std::uint32_t pixelsAt = U32(bytes, 10);
    const std::uint32_t headerBytes = U32(bytes, kFileHeaderBytes);
    const bool core = headerBytes == kCoreHeaderBytes;
    if ((!core && headerBytes < sizeof(BITMAPINFOHEADER)) || headerBytes > bytes.size() - kFileHeaderBytes)
        return nullptr;

    DibInfo info{};
    BITMAPINFOHEADER& header = info.header;
    header.biSize = sizeof header;
    std::uint32_t colourCount = 0;
    if (core) {
        header.biWidth = U16(bytes, 18);
        header.biHeight = U16(bytes, 20);
        header.biPlanes = U16(bytes, 22);
        header.biBitCount = U16(bytes, 24);
        header.biCompression = BI_RGB;
    } else {
        header.biWidth = static_cast<LONG>(U32(bytes, 18));
        header.biHeight = static_cast<LONG>(U32(bytes, 22));
        header.biPlanes = U16(bytes, 26);
        header.biBitCount = U16(bytes, 28);
        header.biCompression = U32(bytes, 30);
        header.biSizeImage = U32(bytes, 34);
        colourCount = U32(bytes, 46);
    }
    const std::uint16_t bits = header.biBitCount;
    const std::uint32_t compression = header.biCompression;
    const bool compressed = compression == BI_RLE4 || compression == BI_RLE8;
    if (header.biPlanes != 1 || !DepthFitsCompression(bits, compression) || header.biWidth <= 0 ||
        header.biHeight == 0 || header.biHeight == LONG_MIN || (compressed && header.biHeight < 0))
        return nullptr;
    const std::uint64_t rows = static_cast<std::uint64_t>(std::llabs(header.biHeight));
    const std::uint64_t stride = (static_cast<std::uint64_t>(header.biWidth) * bits + 31) / 32 * 4;

    // The colour table follows the header; the three masks follow the first 40 bytes of
    // it, which puts them inside the longer headers.
    const std::size_t tableAt = kFileHeaderBytes + (compression == BI_BITFIELDS ? 40 : headerBytes);
    std::size_t tableEnd = tableAt;
    if (compression == BI_BITFIELDS) {
        tableEnd = tableAt + 12;
        if (tableEnd > bytes.size()) return nullptr;
        std::memcpy(info.colours, bytes.data() + tableAt, 12);
    } else if (bits <= 8) {
        const std::uint32_t most = 1u << bits;
        colourCount = colourCount == 0 || colourCount > most ? most : colourCount;
        const std::size_t entryBytes = core ? 3 : 4;
        tableEnd = tableAt + colourCount * entryBytes;
        if (tableEnd > bytes.size()) return nullptr;
        for (std::uint32_t i = 0; i < colourCount; ++i) {
            const std::uint8_t* entry = bytes.data() + tableAt + i * entryBytes;
            info.colours[i] = {entry[0], entry[1], entry[2], 0};
        }
        header.biClrUsed = colourCount;
    }

    // Some writers leave the pixels' offset out: the pixels then follow the table.
    if (pixelsAt == 0) pixelsAt = static_cast<std::uint32_t>(std::max(tableEnd, kFileHeaderBytes + headerBytes));
    if (pixelsAt < kFileHeaderBytes + headerBytes || pixelsAt >= bytes.size()) return nullptr;
    const std::uint64_t pixelBytes = bytes.size() - pixelsAt;
    const std::uint64_t sectionBytes = stride * rows;
    if (compressed ? sectionBytes > kLargestCompressedSection || header.biSizeImage > pixelBytes
                   : sectionBytes > pixelBytes)
        return nullptr;

    // Compressed rows are unpacked by GDI into a section of the same depth.
    const std::uint32_t compressedSize =
        header.biSizeImage != 0 ? header.biSizeImage : static_cast<std::uint32_t>(pixelBytes);
    header.biCompression = compressed ? BI_RGB : compression;
    header.biSizeImage = 0;
    void* sectionBits = nullptr;
    HBITMAP section =
        CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &sectionBits, nullptr, 0);
    if (!section || !sectionBits) {
        if (section) DeleteObject(section);
        return nullptr;
    }
    if (!compressed) {
        std::memcpy(sectionBits, bytes.data() + pixelsAt, static_cast<std::size_t>(sectionBytes));
        return section;
    }
    header.biCompression = compression;
    header.biSizeImage = compressedSize;
    const HDC dc = CreateCompatibleDC(nullptr);
    const int set = dc ? SetDIBits(dc, section, 0, static_cast<UINT>(rows), bytes.data() + pixelsAt,
                                   reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS)
                       : 0;
    if (dc) DeleteDC(dc);
    if (set == 0) {
        DeleteObject(section);
        return nullptr;
    }
    return section;
}
