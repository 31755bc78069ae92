#include "jpeg/encoder.h"

#include <memory>
#include <new>
#include <thread>

#include "jpeg/jpeg_tables.h"
#include "jpeg/mcu.h"
#include "jpeg/row_stages.h"

namespace jpeg {
namespace {

constexpr uint16_t kMarkerSoi = 0xFFD8;
constexpr uint16_t kMarkerApp0 = 0xFFE0;
constexpr uint16_t kMarkerDqt = 0xFFDB;
constexpr uint16_t kMarkerSof0 = 0xFFC0;
constexpr uint16_t kMarkerDht = 0xFFC4;
constexpr uint16_t kMarkerSos = 0xFFDA;
constexpr uint8_t kMarkerEoi[2] = {0xFF, 0xD9};

void WriteQuantTable(JpegStream& stream, uint8_t id, const std::array<int32_t, 64>& table) {
    PutWord(stream, kMarkerDqt);
    PutWord(stream, 2 + 1 + 64);
    PutByte(stream, id);  // 8-bit precision in the high nibble
    for (int k = 0; k < 64; ++k) PutByte(stream, static_cast<uint8_t>(table[kZigZag[k]] & 0xFF));
}

void WriteHuffmanTable(JpegStream& stream, const HuffmanLists& lists) {
    PutWord(stream, kMarkerDht);
    PutWord(stream, static_cast<uint16_t>(2 + 1 + 16 + lists.values.size()));
    PutByte(stream, lists.classAndId);
    PutBytes(stream, lists.bits);
    PutBytes(stream, lists.values);
}

// The output's first reservation, from the size of a day picture's JPEG (about half a
// byte a pixel) and more as the stream grows. A reservation the system refuses is no
// failure: the picture may still be one the reader refuses, or small once coded.
void ReserveOutput(JpegStream& stream, int32_t width, int32_t height) {
    const int64_t expected = int64_t{width} * height / 2 + 10240;
    try {
        stream.bytes.reserve(static_cast<size_t>(expected));
    } catch (const std::bad_alloc&) {}
}

// Every MCU row, each transformed and coded before the next, on the calling thread.
int CodeRowsOnOneThread(JpegEncoder& encoder, JpegHost& host, const PlaneBand* band) {
    for (int32_t row = 0; row < encoder.mcuRows; ++row) {
        if (band && !FillBand(encoder, *band, row, host)) return 0;
        for (int32_t column = 0; column < encoder.mcuColumns; ++column) {
            BuildMcu(encoder, column, row);
            if (!CodeMcuBlocks(encoder)) {
                host.Report(JpegMessage::BlockNotCoded);
                return 0;
            }
        }
    }
    return 1;
}

int CodeRows(JpegEncoder& encoder, JpegHost& host, const PlaneBand* band) {
    if (encoder.mcuRows >= kRowsForTwoStages && std::thread::hardware_concurrency() > 1) {
        switch (CodeRowsInTwoStages(encoder, host, band)) {
        case StagedResult::Coded: return 1;
        case StagedResult::Failed: return 0;
        case StagedResult::NoThread: break;
        }
    }
    return CodeRowsOnOneThread(encoder, host, band);
}

}  // namespace

void WriteJfifHeaders(JpegEncoder& encoder) {
    JpegStream& s = encoder.stream;
    const JpegParams& p = encoder.params;

    PutWord(s, kMarkerSoi);

    PutWord(s, kMarkerApp0);
    PutWord(s, 16);
    PutBytes(s, kJfifIdentifier);
    PutWord(s, 0x0101);  // JFIF version 1.01
    PutByte(s, p.densityUnits);
    PutWord(s, static_cast<uint16_t>(p.xDensity));
    PutWord(s, static_cast<uint16_t>(p.yDensity));
    PutByte(s, 0);  // no thumbnail
    PutByte(s, 0);

    WriteQuantTable(s, 0, kLuminanceQuant);
    WriteQuantTable(s, 1, kChrominanceQuant);

    PutWord(s, kMarkerSof0);
    PutWord(s, static_cast<uint16_t>(3 * p.componentCount + 8));
    PutByte(s, static_cast<uint8_t>(p.samplePrecision));
    PutWord(s, static_cast<uint16_t>(p.height & 0xFFFF));
    PutWord(s, static_cast<uint16_t>(p.width & 0xFFFF));
    PutByte(s, static_cast<uint8_t>(p.componentCount));
    // Component id, sampling (horizontal, vertical), quantisation table.
    const uint8_t components[3][3] = {{1, 0x22, 0}, {2, 0x11, 1}, {3, 0x11, 1}};
    for (const auto& c : components) PutBytes(s, c);

    for (const HuffmanLists* lists : kHuffmanTables) WriteHuffmanTable(s, *lists);

    PutWord(s, kMarkerSos);
    PutWord(s, static_cast<uint16_t>(2 * (3 + p.componentCount)));
    PutByte(s, static_cast<uint8_t>(p.componentCount));
    // Component id, DC table in the high nibble, AC table in the low.
    const uint8_t scan[3][2] = {{1, 0x00}, {2, 0x11}, {3, 0x11}};
    for (const auto& c : scan) PutBytes(s, c);
    PutByte(s, 0);   // spectral selection start
    PutByte(s, 63);  // and end
    PutByte(s, 0);   // successive approximation
}

int EncodeImage(JpegEncoder& encoder, JpegHost& host, const PlaneBand* band) {
    const int32_t width = encoder.params.width;
    const int32_t height = encoder.params.height;
    // A frame with a zero dimension is not a picture decoders read.
    if (width <= 0 || height <= 0) return 0;
    encoder.mcuRows = height / 16 + (height % 16 != 0 ? 1 : 0);
    encoder.mcuColumns = width / 16 + (width % 16 != 0 ? 1 : 0);

    try {
        CreateStream(encoder.stream, host, 0);
        ReserveOutput(encoder.stream, width, height);
        WriteJfifHeaders(encoder);
        if (!CodeRows(encoder, host, band)) {
            encoder.stream = JpegStream{};
            return 0;
        }
        PutBytes(encoder.stream, kMarkerEoi);  // flushes the last bits first
    } catch (const std::bad_alloc&) {
        encoder.stream = JpegStream{};
        host.Report(JpegMessage::OutOfMemory);
        return 0;
    }
    return 1;
}

int EncodePlanes(int32_t width, int32_t height, std::span<const uint8_t> red, std::span<const uint8_t> green,
                 std::span<const uint8_t> blue, JpegHost& host, std::vector<uint8_t>& out) {
    if (width <= 0 || height <= 0) return 0;
    const size_t planeSize = static_cast<size_t>(width) * static_cast<size_t>(height);
    if (red.size() < planeSize || green.size() < planeSize || blue.size() < planeSize) return 0;

    JpegEncoder encoder;
    encoder.red = red.data();
    encoder.green = green.data();
    encoder.blue = blue.data();
    encoder.params.width = width;
    encoder.params.height = height;
    if (!EncodeImage(encoder, host)) return 0;
    out = std::move(encoder.stream.bytes);
    return 1;
}

int EncodeLoadedBitmap(const BmpImage& image, JpegHost& host, std::vector<uint8_t>& out) {
    const BmpSize size = GetBmpSize(image);
    if (size.width <= 0 || size.height <= 0) return 0;

    // Not zeroed: ExtractPlaneRows writes every byte the encoder reads.
    const size_t bandSize = static_cast<size_t>(size.width) * 16;
    std::unique_ptr<uint8_t[]> planes;
    try {
        planes = std::make_unique_for_overwrite<uint8_t[]>(3 * bandSize);
    } catch (const std::bad_alloc&) {
        host.Report(JpegMessage::OutOfMemory);
        return 0;
    }
    const PlaneBand band{
        &image, {planes.get(), bandSize}, {planes.get() + bandSize, bandSize}, {planes.get() + 2 * bandSize, bandSize}};
    JpegEncoder encoder;
    encoder.params.width = size.width;
    encoder.params.height = size.height;
    if (!EncodeImage(encoder, host, &band)) return 0;
    out = std::move(encoder.stream.bytes);
    return 1;
}

int ConvertBmpToJpeg(const std::filesystem::path& bmpPath, const std::filesystem::path& jpegPath, JpegHost& host) {
    ReadableFile bmp;
    bmp.Open(bmpPath);  // a file that cannot be opened is refused by the reader
    return ConvertBmpToJpeg(std::move(bmp), jpegPath, host);
}

int ConvertBmpToJpeg(ReadableFile&& bmp, const std::filesystem::path& jpegPath, JpegHost& host) {
    // Its own bitmap each time: one kept in the file must not keep the file open.
    BmpImage bitmap;
    if (!LoadBmp(bitmap, std::move(bmp), host)) return 0;

    std::vector<uint8_t> bytes;
    if (!EncodeLoadedBitmap(bitmap, host, bytes)) {
        host.Report(JpegMessage::EncodingFailed);
        return 0;
    }
    return host.WriteJpegFile(jpegPath, bytes) ? 1 : 0;
}

int ConvertBmpToJpeg(const char16_t* bmpPath, const char16_t* jpegPath, JpegHost& host) {
    return ConvertBmpToJpeg(std::filesystem::path(bmpPath), std::filesystem::path(jpegPath), host);
}

}  // namespace jpeg
