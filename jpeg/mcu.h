// One MCU of 16 x 16 pixels: colour conversion, chroma decimation, forward
// DCT and quantisation. The arithmetic (double steps, truncation toward zero,
// the integer cosine table) decides every coefficient, and so every byte.
#pragma once

#include <cstdint>

#include "jpeg/encoder_state.h"

namespace jpeg {

// Fills the four luminance blocks and the Cb and Cr blocks of the MCU at
// (column, row); pixels beyond the picture repeat its last column and row.
void BuildMcu(JpegEncoder& encoder, int32_t column, int32_t row);

// Forward DCT of one block of samples (-128 .. 127) into encoder.coefficients:
// the same integer sums as the direct definition, then its double steps.
// Vector instructions where the processor has them (SSE2 on x86-64); the
// portable form gives the same coefficients everywhere.
void ForwardDct(JpegEncoder& encoder, const Block& samples);
void ForwardDctPortable(JpegEncoder& encoder, const Block& samples);

// Divides the coefficients by the component's table, truncating toward zero.
// Exact for coefficients of magnitude below 4096 (the DCT's stay within 2048).
void QuantizeBlock(JpegEncoder& encoder, int component);

// The six blocks of one MCU in coding order (four Y, Cb, Cr), quantised.
using McuBlocks = std::array<Block, 6>;

// Transforms and quantises the six blocks BuildMcu filled.
void TransformMcu(JpegEncoder& encoder, McuBlocks& out);

// Huffman-codes quantised blocks into the stream; 0 when a block cannot be coded.
int CodeMcu(JpegEncoder& encoder, const McuBlocks& blocks);

// Transforms, quantises and codes the six blocks of the MCU; 0 when a block
// cannot be coded.
int CodeMcuBlocks(JpegEncoder& encoder);

}  // namespace jpeg
