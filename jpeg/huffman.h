// Baseline Huffman coding of a quantised block with the typical tables.
#pragma once

#include <array>
#include <cstdint>

#include "jpeg/encoder_state.h"
#include "jpeg/jpeg_tables.h"

namespace jpeg {

// Code words indexed by DC category (12 entries) or by AC index (162 entries).
// A length of 0 means the symbol has no code.
struct HuffCodeTable {
    int32_t count = 0;
    std::array<int32_t, 162> lengths{};
    std::array<int32_t, 162> codes{};  // right-aligned
};

// Code tables generated from the BITS and HUFFVAL lists (T.81 Annex C), once.
const HuffCodeTable& DcCodeTable(int id);  // 0 luminance, 1 chrominance
const HuffCodeTable& AcCodeTable(int id);

// Builds the code table for one DHT segment.
HuffCodeTable GenerateCodeTable(const HuffmanLists& lists);

// AC index of zero run r (0..15) and size s (0..10): r * 10 + s, plus 1 for
// r = 15, so end-of-block is 0 and ZRL (15, 0) is 151.
constexpr int32_t AcIndex(int32_t run, int32_t size) { return run * 10 + size + (run == 15 ? 1 : 0); }

// Number of significant bits of |v|.
int32_t ValueSize(int32_t v);

// Codes encoder.coefficients (quantised, natural order) for component 0 (Y),
// 1 (Cb) or 2 (Cr). 0 when a symbol has no code word.
int EncodeBlock(JpegEncoder& encoder, int component);

}  // namespace jpeg
