#include "jpeg/bmp_reader.h"

#include <algorithm>
#include <new>
#include <type_traits>

#include "jpeg/pixel_rows.h"

namespace jpeg {
namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr int32_t kMaxDimension = 65535;  // the frame header has 16 bits for each

// Info header sizes whose first 40 bytes are the BITMAPINFOHEADER layout:
// BITMAPINFOHEADER, BITMAPV4HEADER and BITMAPV5HEADER.
constexpr uint32_t kKnownInfoSizes[] = {40, 108, 124};
constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitfields = 3;

uint16_t ReadU16(std::span<const uint8_t> b, size_t at) { return static_cast<uint16_t>(b[at] | (b[at + 1] << 8)); }

uint32_t ReadU32(std::span<const uint8_t> b, size_t at) {
    return static_cast<uint32_t>(b[at]) | (static_cast<uint32_t>(b[at + 1]) << 8) |
           (static_cast<uint32_t>(b[at + 2]) << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

int Refuse(JpegHost& host, JpegMessage message) {
    host.Report(message);
    return 0;
}

// Bytes per stored row, padded to a multiple of 4.
uint64_t RowStride(uint64_t width, uint32_t bitCount) { return (width * bitCount + 31) / 32 * 4; }

// True when every index in the stored rows names an entry of the colour table.
bool IndicesWithinTable(const BmpImage& image) {
    const auto limit = static_cast<uint32_t>(image.colourCount);
    for (int32_t row = 0; row < image.height; ++row) {
        const uint8_t* p = image.pixels.data() + static_cast<size_t>(row) * image.stride;
        for (int32_t x = 0; x < image.width; ++x) {
            uint32_t index = 0;
            if (image.bitCount == 8) {
                index = p[x];
            } else if (image.bitCount == 4) {
                index = (x & 1) ? (p[x / 2] & 0x0F) : (p[x / 2] >> 4);
            } else {
                index = (p[x / 8] >> (7 - (x & 7))) & 1;
            }
            if (index >= limit) return false;
        }
    }
    return true;
}

// What the headers say of the pixel rows, checked against the file's size.
struct BmpLayout {
    std::span<const uint8_t> info;  // info header and colour table
    uint32_t offBits = 0;
    int32_t width = 0;
    int32_t height = 0;
    bool topDown = false;
    uint16_t bitCount = 0;
    uint64_t stride = 0;
    uint64_t rowBytes = 0;
    uint32_t infoSize = 0;
    int32_t colourCount = 0;
};

// Checks the headers in `head`, the first bytes of a file of fileSize bytes
// (at least through bfOffBits, or all of them). 1 with the layout; 0 after
// showing why not. Once past the signature, the image is emptied.
int ReadBmpLayout(BmpImage& image, std::span<const uint8_t> head, uint64_t fileSize, BmpLayout& layout,
                  JpegHost& host) {
    if (head.size() < kFileHeaderSize) return Refuse(host, JpegMessage::BmpUnreadable);
    if (head[0] != 'B' || head[1] != 'M') return Refuse(host, JpegMessage::BmpNoSignature);

    image = BmpImage{};

    if (head.size() < kFileHeaderSize + 4) return Refuse(host, JpegMessage::BmpUnreadable);
    const uint32_t infoSize = ReadU32(head, kFileHeaderSize);
    if (std::find(std::begin(kKnownInfoSizes), std::end(kKnownInfoSizes), infoSize) == std::end(kKnownInfoSizes)) {
        return Refuse(host, JpegMessage::BmpUnsupported);
    }
    const uint32_t offBits = ReadU32(head, 10);
    // The info block must hold the whole info header and lie inside the file.
    if (offBits > fileSize || offBits > head.size() || offBits < kFileHeaderSize + infoSize) {
        return Refuse(host, JpegMessage::BmpUnreadable);
    }
    const std::span<const uint8_t> info = head.subspan(kFileHeaderSize, offBits - kFileHeaderSize);

    const auto biWidth = static_cast<int32_t>(ReadU32(info, 4));
    const auto biHeight = static_cast<int32_t>(ReadU32(info, 8));
    const uint16_t bitCount = ReadU16(info, 14);
    const uint32_t compression = ReadU32(info, 16);
    const uint32_t sizeImage = ReadU32(info, 20);
    const uint32_t clrUsed = ReadU32(info, 32);

    switch (bitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32: break;
    default: return Refuse(host, JpegMessage::BmpUnsupported);
    }
    if (compression == kBiBitfields && (bitCount == 16 || bitCount == 32)) {
        // Channel masks right after the 40-byte header; only the layouts
        // that equal the uncompressed ones are read.
        if (info.size() < 52) return Refuse(host, JpegMessage::BmpUnreadable);
        const bool plain =
            bitCount == 16 ? ReadU32(info, 40) == 0x7C00 && ReadU32(info, 44) == 0x03E0 && ReadU32(info, 48) == 0x001F
                           : ReadU32(info, 40) == 0xFF0000 && ReadU32(info, 44) == 0xFF00 && ReadU32(info, 48) == 0xFF;
        if (!plain) return Refuse(host, JpegMessage::BmpUnsupported);
    } else if (compression != kBiRgb) {
        return Refuse(host, JpegMessage::BmpUnsupported);
    }

    const int64_t height = biHeight < 0 ? -static_cast<int64_t>(biHeight) : biHeight;
    if (biWidth <= 0 || biWidth > kMaxDimension || height == 0 || height > kMaxDimension) {
        return Refuse(host, JpegMessage::BmpUnreadable);
    }

    // All in 64 bits: 65535 rows of 65535 32-bit pixels need more than 2^32 bytes.
    const uint64_t stride = RowStride(static_cast<uint64_t>(biWidth), bitCount);
    const uint64_t rowBytes = stride * static_cast<uint64_t>(height);
    // Some writers give the rows' size without their padding; the file itself decides
    // whether the rows are all there.
    const uint64_t unpaddedBytes = (static_cast<uint64_t>(biWidth) * bitCount + 7) / 8 * static_cast<uint64_t>(height);
    if (sizeImage != 0 && sizeImage < unpaddedBytes) return Refuse(host, JpegMessage::BmpUnreadable);
    if (fileSize - offBits < rowBytes) return Refuse(host, JpegMessage::BmpUnreadable);

    int32_t colourCount = 0;
    if (bitCount <= 8) {
        const uint32_t declared = clrUsed != 0 ? clrUsed : (1u << bitCount);
        const size_t held = (info.size() - infoSize) / 4;
        colourCount = static_cast<int32_t>(std::min<uint64_t>({declared, uint64_t{1} << bitCount, held}));
    }
    layout = {info,     offBits,  biWidth,    static_cast<int32_t>(height), biHeight < 0, bitCount, stride,
              rowBytes, infoSize, colourCount};
    return 1;
}

// The loaded bitmap of a layout, without its rows.
BmpImage ImageOf(const BmpLayout& layout) {
    BmpImage loaded;
    loaded.infoBlock.assign(layout.info.begin(), layout.info.end());
    loaded.width = layout.width;
    loaded.height = layout.height;
    loaded.topDown = layout.topDown;
    loaded.bitCount = layout.bitCount;
    loaded.stride = static_cast<uint32_t>(layout.stride);
    loaded.colourTableOffset = layout.infoSize;
    loaded.colourCount = layout.colourCount;
    return loaded;
}

// Checks the file and loads it. The pixel rows are copied out of `file`, or,
// when `owned` holds the file's bytes, moved out of it: a photograph's rows
// are then never in memory twice.
int LoadBmpBytes(BmpImage& image, std::span<const uint8_t> file, std::vector<uint8_t>* owned, JpegHost& host) {
    BmpLayout layout;
    if (!ReadBmpLayout(image, file, file.size(), layout, host)) return 0;
    try {
        BmpImage loaded = ImageOf(layout);
        if (owned) {
            owned->erase(owned->begin(), owned->begin() + layout.offBits);
            owned->resize(layout.rowBytes);
            loaded.pixels = std::move(*owned);
        } else {
            loaded.pixels.assign(file.begin() + layout.offBits, file.begin() + layout.offBits + layout.rowBytes);
        }
        if (loaded.bitCount <= 8 && !IndicesWithinTable(loaded)) { return Refuse(host, JpegMessage::BmpUnreadable); }
        image = std::move(loaded);
    } catch (const std::bad_alloc&) { return Refuse(host, JpegMessage::BmpUnreadable); }
    return 1;
}
static_assert(std::is_nothrow_move_assignable_v<BmpImage>, "a loaded bitmap is moved, never copied");

// Headers, colour table and all, are far smaller than this.
constexpr size_t kHeadBytes = 64 * 1024;

enum class BandedLoad { Loaded, Refused, ReadWhole };

// Loads a large bitmap without a colour table with its rows left in the file.
// A colour table's indices are all checked before any row is coded, so those
// bitmaps, small ones and odd headers are read whole instead.
BandedLoad LoadBmpInBands(BmpImage& image, ReadableFile& file, JpegHost& host) {
    if (file.Size() < kRowsReadInBands) return BandedLoad::ReadWhole;
    std::vector<uint8_t> head(kHeadBytes);
    if (!file.ReadAt(0, head)) return BandedLoad::ReadWhole;
    if (head[0] != 'B' || head[1] != 'M' || ReadU16(head, 28) < 16 || ReadU32(head, 10) > head.size()) {
        return BandedLoad::ReadWhole;
    }
    BmpLayout layout;
    if (!ReadBmpLayout(image, head, file.Size(), layout, host)) return BandedLoad::Refused;
    if (layout.rowBytes < kRowsReadInBands) return BandedLoad::ReadWhole;
    try {
        BmpImage loaded = ImageOf(layout);
        loaded.rowFile = std::move(file);
        loaded.rowsOffset = layout.offBits;
        image = std::move(loaded);
    } catch (const std::bad_alloc&) {
        Refuse(host, JpegMessage::BmpUnreadable);
        return BandedLoad::Refused;
    }
    return BandedLoad::Loaded;
}

// Points at stored row `stored` of the `count` rows from `first` held in
// memory: the bitmap's own rows, or those just read into its row buffer.
const uint8_t* StoredRow(const BmpImage& image, size_t first, size_t stored) {
    if (!image.rowFile.IsOpen()) return image.pixels.data() + stored * image.stride;
    return image.rowBuffer.data() + (stored - first) * image.stride;
}

// Reads the stored rows first .. first + count - 1 from the file into the row
// buffer; no-op for rows held in memory.
bool ReadStoredRows(const BmpImage& image, size_t first, size_t count, JpegHost& host) {
    if (!image.rowFile.IsOpen()) return true;
    try {
        image.rowBuffer.resize(count * image.stride);
    } catch (const std::bad_alloc&) { return Refuse(host, JpegMessage::OutOfMemory); }
    if (!image.rowFile.ReadAt(image.rowsOffset + first * image.stride, image.rowBuffer)) {
        return Refuse(host, JpegMessage::BmpUnreadable);
    }
    return true;
}

}  // namespace

int LoadBmp(BmpImage& image, std::span<const uint8_t> file, JpegHost& host) {
    return LoadBmpBytes(image, file, nullptr, host);
}

int LoadBmp(BmpImage& image, const std::filesystem::path& path, JpegHost& host) {
    ReadableFile file;
    file.Open(path);
    return LoadBmp(image, std::move(file), host);
}

int LoadBmp(BmpImage& image, ReadableFile&& file, JpegHost& host) {
    std::vector<uint8_t> bytes;  // stays empty, a file too short to read, when it cannot be read
    if (file.IsOpen()) {
        switch (LoadBmpInBands(image, file, host)) {
        case BandedLoad::Loaded: return 1;
        case BandedLoad::Refused: return 0;
        case BandedLoad::ReadWhole: break;
        }
        try {
            bytes.resize(static_cast<size_t>(file.Size()));
            if (!file.ReadAt(0, bytes)) bytes.clear();
        } catch (const std::bad_alloc&) { bytes.clear(); }
        file.Close();
    }
    return LoadBmpBytes(image, bytes, &bytes, host);
}

BmpSize GetBmpSize(const BmpImage& image) {
    if (image.infoBlock.empty()) return {0, 0};
    return {image.width, image.height};
}

int ExtractPlanes(const BmpImage& image, std::span<uint8_t> red, std::span<uint8_t> green, std::span<uint8_t> blue,
                  JpegHost& host) {
    return ExtractPlaneRows(image, 0, image.height, red, green, blue, host);
}

int ExtractPlaneRows(const BmpImage& image, int32_t firstRow, int32_t rowCount, std::span<uint8_t> red,
                     std::span<uint8_t> green, std::span<uint8_t> blue, JpegHost& host) {
    if (image.infoBlock.empty()) return 0;
    if (image.bitCount == 1) return Refuse(host, JpegMessage::BmpColourLayout);
    if (firstRow < 0 || rowCount < 0 || rowCount > image.height - firstRow) return 0;

    const auto width = static_cast<size_t>(image.width);
    const auto height = static_cast<size_t>(image.height);
    const size_t planeSize = width * static_cast<size_t>(rowCount);
    if (red.size() < planeSize || green.size() < planeSize || blue.size() < planeSize) return 0;

    // Bottom-up files store the top row last; either way the rows are one run in the file.
    const auto count = static_cast<size_t>(rowCount);
    const size_t firstStored = image.topDown ? static_cast<size_t>(firstRow) : height - firstRow - count;
    if (!ReadStoredRows(image, firstStored, count, host)) return 0;

    const uint8_t* table = image.infoBlock.data() + image.colourTableOffset;
    for (size_t r = 0; r < count; ++r) {
        const size_t top = static_cast<size_t>(firstRow) + r;
        const size_t stored = image.topDown ? top : height - 1 - top;
        const uint8_t* p = StoredRow(image, firstStored, stored);
        uint8_t* outR = red.data() + r * width;
        uint8_t* outG = green.data() + r * width;
        uint8_t* outB = blue.data() + r * width;
        // One loop per layout, so that the inner loops carry no decisions.
        switch (image.bitCount) {
        case 4: SplitNibbleRow(p, width, table, image.colourCount, outR, outG, outB); break;
        case 8:
            for (size_t x = 0; x < width; ++x) {
                const uint8_t* entry = table + 4 * p[x];
                outB[x] = entry[0], outG[x] = entry[1], outR[x] = entry[2];
            }
            break;
        case 16:
            // 5-5-5, little-endian; five bits widened so that 31 becomes 255.
            for (size_t x = 0; x < width; ++x) {
                const uint32_t v = p[2 * x] | (p[2 * x + 1] << 8);
                const auto widen = [](uint32_t c) { return static_cast<uint8_t>((c << 3) | (c >> 2)); };
                outR[x] = widen((v >> 10) & 31), outG[x] = widen((v >> 5) & 31), outB[x] = widen(v & 31);
            }
            break;
        case 24: SplitBgrRow(p, width, outR, outG, outB); break;
        default:  // 32: blue, green, red, unused
            for (size_t x = 0; x < width; ++x) outB[x] = p[4 * x], outG[x] = p[4 * x + 1], outR[x] = p[4 * x + 2];
            break;
        }
    }
    return 1;
}

}  // namespace jpeg
