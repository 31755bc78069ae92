#include "jpeg/mcu.h"

#include <algorithm>

#include "jpeg/huffman.h"
#include "jpeg/jpeg_tables.h"

namespace jpeg {
namespace {

// The products of the colour conversion for every sample value, each the
// same double multiplication the formula makes, made once. The sums below
// are evaluated in the formula's order; the build keeps the compiler from
// fusing them (-ffp-contract=off), which would change the last bit and with
// it the truncated result.
struct ColourProducts {
    double lumaRed[256], lumaGreen[256], lumaBlue[256];   // 0.299 r, 0.587 g, 0.114 b
    double half[256];                                     // 0.5 b for Cb, 0.5 r for Cr
    double cbRed[256], cbGreen[256];                      // 0.1687 r, 0.3313 g
    double crGreen[256], crBlue[256];                     // 0.4187 g, 0.0813 b
};

const ColourProducts& Products() {
    static const ColourProducts products = [] {
        ColourProducts p;
        for (int i = 0; i < 256; ++i) {
            const double v = i;
            p.lumaRed[i] = 0.299 * v, p.lumaGreen[i] = 0.587 * v, p.lumaBlue[i] = 0.114 * v;
            p.half[i] = 0.5 * v;
            p.cbRed[i] = 0.1687 * v, p.cbGreen[i] = 0.3313 * v;
            p.crGreen[i] = 0.4187 * v, p.crBlue[i] = 0.0813 * v;
        }
        return p;
    }();
    return products;
}

// Y = ((0.587 g + 0.299 r) + 0.114 b) - 128
inline int32_t LumaOf(const ColourProducts& p, uint8_t r, uint8_t g, uint8_t b) {
    return static_cast<int32_t>(((p.lumaGreen[g] + p.lumaRed[r]) + p.lumaBlue[b]) - 128.0);
}

// Cb = 0.5 b - (0.1687 r + 0.3313 g)
inline int32_t BlueDifferenceOf(const ColourProducts& p, uint8_t r, uint8_t g, uint8_t b) {
    return static_cast<int32_t>(p.half[b] - (p.cbRed[r] + p.cbGreen[g]));
}

// Cr = (0.5 r - 0.4187 g) - 0.0813 b
inline int32_t RedDifferenceOf(const ColourProducts& p, uint8_t r, uint8_t g, uint8_t b) {
    return static_cast<int32_t>((p.half[r] - p.crGreen[g]) - p.crBlue[b]);
}

// 16 x 16 pixels of the three planes, rows `stride` bytes apart.
struct Tile {
    const uint8_t* red;
    const uint8_t* green;
    const uint8_t* blue;
    size_t stride;
};

void ConvertTile(const Tile& tile, JpegEncoder& encoder) {
    const ColourProducts& p = Products();
    for (int dy = 0; dy < 16; ++dy) {
        const size_t at = dy * tile.stride;
        const uint8_t* r = tile.red + at;
        const uint8_t* g = tile.green + at;
        const uint8_t* b = tile.blue + at;
        const int top = dy < 8 ? 0 : 2;
        int32_t* left = &encoder.luminance[top][(dy & 7) * 8];
        int32_t* right = &encoder.luminance[top + 1][(dy & 7) * 8];
        for (int x = 0; x < 8; ++x) left[x] = LumaOf(p, r[x], g[x], b[x]);
        for (int x = 0; x < 8; ++x) right[x] = LumaOf(p, r[8 + x], g[8 + x], b[8 + x]);
        if (dy & 1) continue;
        // Chroma is decimated, not averaged: the top-left pixel of each 2 x 2 group.
        int32_t* cb = &encoder.cb[(dy / 2) * 8];
        int32_t* cr = &encoder.cr[(dy / 2) * 8];
        for (int c = 0; c < 8; ++c) cb[c] = BlueDifferenceOf(p, r[2 * c], g[2 * c], b[2 * c]);
        for (int c = 0; c < 8; ++c) cr[c] = RedDifferenceOf(p, r[2 * c], g[2 * c], b[2 * c]);
    }
}

// Integer division by the quantisation step q, truncating toward zero, as a
// multiplication: for |n| < 2^12 and q <= 2^7, n / q == n * ceil(2^19 / q) >> 19.
// DCT coefficients stay below 2^11 in magnitude.
constexpr int kQuantShift = 19;
constexpr std::array<uint32_t, 64> ReciprocalsOf(const std::array<int32_t, 64>& table) {
    std::array<uint32_t, 64> r{};
    for (int k = 0; k < 64; ++k) {
        r[k] = static_cast<uint32_t>(((1u << kQuantShift) + table[k] - 1) / table[k]);
    }
    return r;
}
constexpr auto kLuminanceReciprocals = ReciprocalsOf(kLuminanceQuant);
constexpr auto kChrominanceReciprocals = ReciprocalsOf(kChrominanceQuant);
constexpr bool kChrominanceIsOnes = std::ranges::all_of(kChrominanceQuant, [](int32_t q) { return q == 1; });
static_assert(std::ranges::max(kLuminanceQuant) <= 128 && std::ranges::min(kLuminanceQuant) >= 1);
static_assert(std::ranges::max(kChrominanceQuant) <= 128 && std::ranges::min(kChrominanceQuant) >= 1);

}  // namespace

YCbCr ConvertPixel(uint8_t red, uint8_t green, uint8_t blue) {
    const ColourProducts& p = Products();
    return {LumaOf(p, red, green, blue), BlueDifferenceOf(p, red, green, blue), RedDifferenceOf(p, red, green, blue)};
}

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
                              &encoder.luminance[3], &encoder.cb, &encoder.cr};
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
