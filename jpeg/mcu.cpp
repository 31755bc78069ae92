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

// The integer cosine table is symmetric about its middle column, even rows
// mirrored and odd rows mirrored with the sign turned; rows 0 and 4 have one
// magnitude, and rows 2 and 6 are antisymmetric within each half. The
// transform below relies on exactly these properties.
constexpr bool HasTheSymmetries(const std::array<int32_t, 64>& t) {
    for (int u = 0; u < 8; ++u)
        for (int x = 0; x < 4; ++x) {
            const int32_t mirrored = t[u * 8 + 7 - x];
            if (mirrored != (u % 2 == 0 ? t[u * 8 + x] : -t[u * 8 + x])) return false;
        }
    for (int x = 0; x < 4; ++x) {
        if (t[x] != t[0]) return false;
        if (t[32 + x] != (x == 0 || x == 3 ? t[32] : -t[32])) return false;
    }
    for (int u : {2, 6})
        if (t[u * 8 + 3] != -t[u * 8] || t[u * 8 + 2] != -t[u * 8 + 1]) return false;
    return true;
}
static_assert(HasTheSymmetries(kCosineTable));

constexpr int32_t T(int u, int x) { return kCosineTable[u * 8 + x]; }

// out[u] = sum over x of T[u][x] * in[x], with in[x] at in[x * step] and
// out[u] at out[u * step]. The same integer sum as the plain one, grouped
// by the symmetries: 22 products instead of 64, and every step exact. The
// sums and differences of the inputs stay in the input's type: for samples
// that is 16 bits (at most 4 * 128), which lets the compiler multiply eight
// columns at a time into 32-bit products.
template <typename Sample>
inline void Transform8(const Sample* in, int32_t* out, int step) {
    Sample sum[4], diff[4];
    for (int x = 0; x < 4; ++x) {
        sum[x] = static_cast<Sample>(in[x * step] + in[(7 - x) * step]);
        diff[x] = static_cast<Sample>(in[x * step] - in[(7 - x) * step]);
    }
    const auto outerSum = static_cast<Sample>(sum[0] + sum[3]), innerSum = static_cast<Sample>(sum[1] + sum[2]);
    const auto outerDiff = static_cast<Sample>(sum[0] - sum[3]), innerDiff = static_cast<Sample>(sum[1] - sum[2]);
    const auto evenSum = static_cast<Sample>(outerSum + innerSum), evenDiff = static_cast<Sample>(outerSum - innerSum);
    out[0] = T(0, 0) * int32_t{evenSum};
    out[4 * step] = T(4, 0) * int32_t{evenDiff};
    out[2 * step] = T(2, 0) * int32_t{outerDiff} + T(2, 1) * int32_t{innerDiff};
    out[6 * step] = T(6, 0) * int32_t{outerDiff} + T(6, 1) * int32_t{innerDiff};
    for (int u = 1; u < 8; u += 2) {
        out[u * step] = T(u, 0) * int32_t{diff[0]} + T(u, 1) * int32_t{diff[1]} + T(u, 2) * int32_t{diff[2]} +
                        T(u, 3) * int32_t{diff[3]};
    }
}

// C(v) for each column, C(0) and then ones.
constexpr double kColumnScale[8] = {kScaleC0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0};

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
    if (mcuX + 16 <= width && mcuY + 16 <= height) {
        const size_t at = static_cast<size_t>(width) * mcuY + mcuX;
        ConvertTile({encoder.red + at, encoder.green + at, encoder.blue + at, static_cast<size_t>(width)}, encoder);
        return;
    }
    // Pixels beyond the picture repeat its last column and its last row.
    uint8_t edge[3][256];
    for (int32_t dy = 0; dy < 16; ++dy) {
        const size_t rowStart = static_cast<size_t>(width) * std::min(mcuY + dy, height - 1);
        for (int32_t dx = 0; dx < 16; ++dx) {
            const size_t at = rowStart + std::min(mcuX + dx, width - 1);
            edge[0][dy * 16 + dx] = encoder.red[at];
            edge[1][dy * 16 + dx] = encoder.green[at];
            edge[2][dy * 16 + dx] = encoder.blue[at];
        }
    }
    ConvertTile({edge[0], edge[1], edge[2], 16}, encoder);
}

void ForwardDct(JpegEncoder& encoder, const Block& f) {
    // S[u][v] = sum over i, j of T[u][i] * f[i][j] * T[v][j]. The sums are
    // exact integers (|S| < 2^31), so transforming the columns and then the
    // rows gives the same S as the direct sum.
    // Samples are -128 .. 127: 16 bits hold them and their sums of four.
    int16_t samples[64];
    for (int k = 0; k < 64; ++k) samples[k] = static_cast<int16_t>(f[k]);
    int32_t columns[64], s[64];
    for (int j = 0; j < 8; ++j) Transform8(&samples[j], &columns[j], 8);
    for (int u = 0; u < 8; ++u) Transform8(&columns[u * 8], &s[u * 8], 1);
    // Then, per coefficient, the double steps in their order: S * C(v), times
    // C(u), times the DCT's scale. Multiplying by C = 1.0 changes no bit.
    for (int u = 0; u < 8; ++u) {
        const double cu = u == 0 ? kScaleC0 : 1.0;
        for (int v = 0; v < 8; ++v) {
            encoder.coefficients[u * 8 + v] =
                static_cast<int32_t>(((static_cast<double>(s[u * 8 + v]) * kColumnScale[v]) * cu) * kDctScale);
        }
    }
}

void QuantizeBlock(JpegEncoder& encoder, int component) {
    const auto& reciprocals = component == 0 ? kLuminanceReciprocals : kChrominanceReciprocals;
    for (int k = 0; k < 64; ++k) {
        const int32_t c = encoder.coefficients[k];
        const uint32_t magnitude = static_cast<uint32_t>(c < 0 ? -c : c);
        const auto quotient = static_cast<int32_t>((magnitude * reciprocals[k]) >> kQuantShift);
        encoder.coefficients[k] = c < 0 ? -quotient : quotient;  // truncated toward zero
    }
}

int CodeMcuBlocks(JpegEncoder& encoder) {
    const Block* blocks[6] = {&encoder.luminance[0], &encoder.luminance[1], &encoder.luminance[2],
                              &encoder.luminance[3], &encoder.cb, &encoder.cr};
    constexpr int kComponent[6] = {0, 0, 0, 0, 1, 2};
    for (int b = 0; b < 6; ++b) {
        ForwardDct(encoder, *blocks[b]);
        QuantizeBlock(encoder, kComponent[b]);
        if (!EncodeBlock(encoder, kComponent[b])) return 0;
    }
    return 1;
}

}  // namespace jpeg
