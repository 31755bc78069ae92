#include "jpeg/mcu.h"

#include <algorithm>

#include "jpeg/huffman.h"
#include "jpeg/jpeg_tables.h"

namespace jpeg {

// The products and sums are evaluated in exactly this order; the build keeps
// the compiler from fusing them (-ffp-contract=off), which would change the
// last bit and with it the truncated result.
YCbCr ConvertPixel(uint8_t red, uint8_t green, uint8_t blue) {
    const double r = red, g = green, b = blue;
    return {
        static_cast<int32_t>(((0.587 * g + 0.299 * r) + 0.114 * b) - 128.0),
        static_cast<int32_t>(0.5 * b - (0.1687 * r + 0.3313 * g)),
        static_cast<int32_t>((0.5 * r - 0.4187 * g) - 0.0813 * b),
    };
}

void BuildMcu(JpegEncoder& encoder, int32_t column, int32_t row) {
    const int32_t width = encoder.params.width;
    const int32_t height = encoder.params.height;
    const int32_t mcuX = 16 * column;
    const int32_t mcuY = 16 * row;

    for (int32_t dy = 0; dy < 16; ++dy) {
        const size_t rowStart = static_cast<size_t>(width) * std::min(mcuY + dy, height - 1);
        for (int32_t dx = 0; dx < 16; ++dx) {
            const size_t at = rowStart + std::min(mcuX + dx, width - 1);
            const YCbCr c = ConvertPixel(encoder.red[at], encoder.green[at], encoder.blue[at]);
            const int block = (dy >= 8 ? 2 : 0) + (dx >= 8 ? 1 : 0);
            encoder.luminance[block][(dy & 7) * 8 + (dx & 7)] = c.y;
            // Chroma is decimated, not averaged: the top-left pixel of each 2 x 2 group.
            if ((dx & 1) == 0 && (dy & 1) == 0) {
                encoder.cb[(dy / 2) * 8 + dx / 2] = c.cb;
                encoder.cr[(dy / 2) * 8 + dx / 2] = c.cr;
            }
        }
    }
}

void ForwardDct(JpegEncoder& encoder, const Block& f) {
    const auto& t = kCosineTable;
    // S[u][v] = sum over i, j of T[u][i] * f[i][j] * T[v][j]. The sums are
    // exact integers (|S| < 2^31), so evaluating the rows first gives the same
    // S as the direct double sum at an eighth of the multiplications.
    int32_t rows[64];
    for (int i = 0; i < 8; ++i) {
        for (int v = 0; v < 8; ++v) {
            int32_t sum = 0;
            for (int j = 0; j < 8; ++j) sum += f[i * 8 + j] * t[v * 8 + j];
            rows[i * 8 + v] = sum;
        }
    }
    for (int u = 0; u < 8; ++u) {
        const double cu = u == 0 ? kScaleC0 : 1.0;
        for (int v = 0; v < 8; ++v) {
            const double cv = v == 0 ? kScaleC0 : 1.0;
            int32_t s = 0;
            for (int i = 0; i < 8; ++i) s += t[u * 8 + i] * rows[i * 8 + v];
            encoder.coefficients[u * 8 + v] =
                static_cast<int32_t>(((static_cast<double>(s) * cv) * cu) * kDctScale);
        }
    }
}

void QuantizeBlock(JpegEncoder& encoder, int component) {
    const auto& table = component == 0 ? kLuminanceQuant : kChrominanceQuant;
    for (int k = 0; k < 64; ++k) encoder.coefficients[k] /= table[k];  // truncates toward zero
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
