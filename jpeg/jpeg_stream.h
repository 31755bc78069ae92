// The output stream in memory: header bytes go in unchanged, entropy-coded
// bits go through the bit writer, which alone handles bit positions, 0xFF
// stuffing and the 1-bit padding of a last partial byte.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "jpeg/jpeg_host.h"

namespace jpeg {

struct JpegStream {
    std::vector<uint8_t> bytes;  // grows as needed; allocation failure throws std::bad_alloc
    uint64_t pendingBits = 0;    // entropy-coded bits not yet in a byte, right-aligned
    int32_t pendingCount = 0;    // how many, 0 .. 31 between calls
    JpegHost* host = nullptr;    // for the one message the bit writer can show
};

void CreateStream(JpegStream& stream, JpegHost& host, size_t expectedSize);

// Header bytes: pending bits are flushed first; these bytes are never stuffed.
void PutByte(JpegStream& stream, uint8_t b);
void PutWord(JpegStream& stream, uint16_t w);  // high byte first
void PutBytes(JpegStream& stream, std::span<const uint8_t> data);

// Writes the low n bits of value (n = 0 .. 16), most significant first, into
// the entropy-coded data. Returns 0 without writing anything when n > 16.
int PutBits(JpegStream& stream, uint32_t value, int n);

// Completes a partial byte with 1-bits.
void FlushBits(JpegStream& stream);

// Moves the whole bytes of the pending bits into the stream, stuffing 0xFF.
void EmitPendingBytes(JpegStream& stream);

// PutBits without its check, for up to 32 bits at once: the Huffman coder
// writes a code word and its additional bits in one call.
inline void AppendBits(JpegStream& stream, uint32_t value, int n) {
    stream.pendingBits = (stream.pendingBits << n) | (value & ((uint64_t{1} << n) - 1));
    stream.pendingCount += n;
    if (stream.pendingCount >= 32) EmitPendingBytes(stream);
}

}  // namespace jpeg
