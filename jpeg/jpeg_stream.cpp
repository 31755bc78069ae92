#include "jpeg/jpeg_stream.h"

namespace jpeg {
namespace {

void EmitEntropyByte(JpegStream& stream, uint8_t b) {
    stream.bytes.push_back(b);
    // A 0xFF in entropy-coded data would read as a marker prefix.
    if (b == 0xFF) stream.bytes.push_back(0x00);
}

}  // namespace

void CreateStream(JpegStream& stream, JpegHost& host, size_t expectedSize) {
    stream = JpegStream{};
    stream.host = &host;
    stream.bytes.reserve(expectedSize);
}

void PutByte(JpegStream& stream, uint8_t b) {
    FlushBits(stream);
    stream.bytes.push_back(b);
}

void PutWord(JpegStream& stream, uint16_t w) {
    FlushBits(stream);
    stream.bytes.push_back(static_cast<uint8_t>(w >> 8));
    stream.bytes.push_back(static_cast<uint8_t>(w & 0xFF));
}

void PutBytes(JpegStream& stream, std::span<const uint8_t> data) {
    FlushBits(stream);
    stream.bytes.insert(stream.bytes.end(), data.begin(), data.end());
}

int PutBits(JpegStream& stream, uint32_t value, int n) {
    if (n == 0) return 1;
    if (n < 0 || n > 16) {
        if (stream.host) stream.host->Report(JpegMessage::StreamBitsTooWide);
        return 0;
    }
    AppendBits(stream, value, n);
    return 1;
}

void EmitPendingBytes(JpegStream& stream) {
    // At most 31 bits pending plus 32 new ones: fits in 64 bits.
    while (stream.pendingCount >= 8) {
        stream.pendingCount -= 8;
        EmitEntropyByte(stream, static_cast<uint8_t>(stream.pendingBits >> stream.pendingCount));
    }
    stream.pendingBits &= (uint64_t{1} << stream.pendingCount) - 1;
}

void FlushBits(JpegStream& stream) {
    EmitPendingBytes(stream);
    if (stream.pendingCount == 0) return;
    const int fill = 8 - stream.pendingCount;
    AppendBits(stream, (1u << fill) - 1, fill);
    EmitPendingBytes(stream);
}

}  // namespace jpeg
