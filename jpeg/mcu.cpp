#include "jpeg/mcu.h"

#include <algorithm>

#include "jpeg/colour_conversion.h"
#include "jpeg/huffman.h"
#include "jpeg/jpeg_tables.h"

namespace jpeg {
namespace {

// Integer division by the quantisation step q, truncating toward zero, as a
// multiplication: for |n| < 2^12 and q <= 2^7, n / q == n * ceil(2^19 / q) >> 19.
// DCT coefficients stay below 2^11 in magnitude.
constexpr int kQuantShift = 19;
constexpr std::array<uint32_t, 64> ReciprocalsOf(const std::array<int32_t, 64>& table) {
    std::array<uint32_t, 64> r{};
    for (int k = 0; k < 64; ++k) { r[k] = static_cast<uint32_t>(((1u << kQuantShift) + table[k] - 1) / table[k]); }
    return r;
}
constexpr auto kLuminanceReciprocals = ReciprocalsOf(kLuminanceQuant);
constexpr auto kChrominanceReciprocals = ReciprocalsOf(kChrominanceQuant);
constexpr bool kChrominanceIsOnes = std::ranges::all_of(kChrominanceQuant, [](int32_t q) { return q == 1; });
static_assert(std::ranges::max(kLuminanceQuant) <= 128 && std::ranges::min(kLuminanceQuant) >= 1);
static_assert(std::ranges::max(kChrominanceQuant) <= 128 && std::ranges::min(kChrominanceQuant) >= 1);

}  // namespace

void BuildMcu(JpegEncoder& encoder, int32_t column, int32_t row) {
    const int32_t width = encoder.params.width;
    const int32_t height = encoder.params.height;
    const int32_t mcuX = 16 * column;
    const int32_t mcuY = 16 * row;
    // Rows of the planes count from the picture row planeTop.
    const int32_t top = encoder.planeTop;
    if (mcuX + 16 <= width && mcuY + 16 <= height) {
        const size_t at = static_cast<size_t>(width) * (mcuY - top) + mcuX;
        ConvertTile({encoder.red + at, encoder.green + at, encoder.blue + at, static_cast<size_t>(width)}, encoder);
        return;
    }
    // Pixels beyond the picture repeat its last column and its last row.
    uint8_t edge[3][256];
    for (int32_t dy = 0; dy < 16; ++dy) {
        const size_t rowStart = static_cast<size_t>(width) * (std::min(mcuY + dy, height - 1) - top);
        for (int32_t dx = 0; dx < 16; ++dx) {
            const size_t at = rowStart + std::min(mcuX + dx, width - 1);
            edge[0][dy * 16 + dx] = encoder.red[at];
            edge[1][dy * 16 + dx] = encoder.green[at];
            edge[2][dy * 16 + dx] = encoder.blue[at];
        }
    }
    ConvertTile({edge[0], edge[1], edge[2], 16}, encoder);
}

void QuantizeBlock(JpegEncoder& encoder, int component) {
    // Division by a table of ones leaves every coefficient as it is.
    if (component != 0 && kChrominanceIsOnes) return;
    const auto& reciprocals = component == 0 ? kLuminanceReciprocals : kChrominanceReciprocals;
    for (int k = 0; k < 64; ++k) {
        const int32_t c = encoder.coefficients[k];
        const uint32_t magnitude = static_cast<uint32_t>(c < 0 ? -c : c);
        const auto quotient = static_cast<int32_t>((magnitude * reciprocals[k]) >> kQuantShift);
        encoder.coefficients[k] = c < 0 ? -quotient : quotient;  // truncated toward zero
    }
}

namespace {
constexpr int kComponentOfBlock[6] = {0, 0, 0, 0, 1, 2};
}  // namespace

void TransformMcu(JpegEncoder& encoder, McuBlocks& out) {
    const Block* blocks[6] = {&encoder.luminance[0], &encoder.luminance[1], &encoder.luminance[2],
                              &encoder.luminance[3], &encoder.cb,           &encoder.cr};
    for (int b = 0; b < 6; ++b) {
        ForwardDct(encoder, *blocks[b]);
        QuantizeBlock(encoder, kComponentOfBlock[b]);
        out[b] = encoder.coefficients;
    }
}

int CodeMcu(JpegEncoder& encoder, const McuBlocks& blocks) {
    for (int b = 0; b < 6; ++b) {
        encoder.coefficients = blocks[b];
        if (!EncodeBlock(encoder, kComponentOfBlock[b])) return 0;
    }
    return 1;
}

int CodeMcuBlocks(JpegEncoder& encoder) {
    McuBlocks blocks;
    TransformMcu(encoder, blocks);
    return CodeMcu(encoder, blocks);
}

}  // namespace jpeg
