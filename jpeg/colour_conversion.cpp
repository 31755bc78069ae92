#include "jpeg/colour_conversion.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace jpeg {
namespace {

// The products of the colour conversion for every sample value, each the
// same double multiplication the formula makes, made once. The sums below
// are evaluated in the formula's order; the build keeps the compiler from
// fusing them (-ffp-contract=off), which would change the last bit and with
// it the truncated result.
struct ColourProducts {
    double lumaRed[256], lumaGreen[256], lumaBlue[256];  // 0.299 r, 0.587 g, 0.114 b
    double half[256];                                    // 0.5 b for Cb, 0.5 r for Cr
    double cbRed[256], cbGreen[256];                     // 0.1687 r, 0.3313 g
    double crGreen[256], crBlue[256];                    // 0.4187 g, 0.0813 b
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

// Where the tile's rows go: luminance rows into the four blocks, every other
// row's even pixels into Cb and Cr.
int32_t* LuminanceRow(JpegEncoder& encoder, int dy, int half) {
    return &encoder.luminance[(dy < 8 ? 0 : 2) + half][(dy & 7) * 8];
}

#if defined(__SSE2__)

// Each result is the truncation of an exact fraction: Y = k / 1000 with the
// integer k = 587 g + 299 r + 114 b - 128000, and Cb, Cr = k / 10000 with
// k = 5000 b - 1687 r - 3313 g and k = 5000 r - 4187 g - 813 b. The double
// arithmetic misses the fraction by less than 10^-12. Where the fraction is
// no integer it lies at least 10^-4 from one, so the double result and the
// fraction truncate alike; here k is scaled in single precision, which is
// off by less than 2 * 10^-5. Where the fraction is an integer other than 0,
// the double result may fall on either side of it: those pixels take the
// double formula itself. (Near 0 both sides truncate to 0.)

__m128i FactorPair(int16_t a, int16_t b) {
    return _mm_set1_epi32(
        static_cast<int32_t>((static_cast<uint32_t>(static_cast<uint16_t>(b)) << 16) | static_cast<uint16_t>(a)));
}

// Four fractions k / divisor truncated toward zero, and a mask of the lanes
// where the fraction is a non-zero integer.
struct Quotients {
    __m128i values;
    int integral;  // bit i for lane i
};

inline Quotients DivideTruncating(__m128i k, float reciprocal, float divisor) {
    const __m128 exact = _mm_cvtepi32_ps(k);  // |k| < 2^24
    const __m128 scaled = _mm_mul_ps(exact, _mm_set1_ps(reciprocal));
    const __m128 nearest = _mm_cvtepi32_ps(_mm_cvtps_epi32(scaled));
    const __m128 integral = _mm_andnot_ps(_mm_cmpeq_ps(exact, _mm_setzero_ps()),
                                          _mm_cmpeq_ps(_mm_mul_ps(nearest, _mm_set1_ps(divisor)), exact));
    return {_mm_cvttps_epi32(scaled), _mm_movemask_ps(integral)};
}

// Sixteen bits a lane: eight samples from eight bytes, or the even ones of sixteen.
inline __m128i EightSamples(const uint8_t* p) {
    return _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)), _mm_setzero_si128());
}
inline __m128i EvenSamples(const uint8_t* p) {
    return _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), _mm_set1_epi16(0x00FF));
}

// k = a * x + b * y + c * z + d for eight pixels, as two halves of four
// lanes: pairs (x, y) and (z, 1000 or 0) multiplied by pmaddwd.
struct Sums {
    __m128i low, high;
};
inline Sums WeightedSums(__m128i x, __m128i y, __m128i z, __m128i zPartner, __m128i xy, __m128i zw) {
    return {_mm_add_epi32(_mm_madd_epi16(_mm_unpacklo_epi16(x, y), xy),
                          _mm_madd_epi16(_mm_unpacklo_epi16(z, zPartner), zw)),
            _mm_add_epi32(_mm_madd_epi16(_mm_unpackhi_epi16(x, y), xy),
                          _mm_madd_epi16(_mm_unpackhi_epi16(z, zPartner), zw))};
}

// Eight results from their sums; the integral lanes are computed again by
// `formula` from the pixel's samples at `r`, `g`, `b` (every `step` bytes).
template <typename Formula>
inline void StoreEight(const Sums& k, float reciprocal, float divisor, int32_t* out, const uint8_t* r, const uint8_t* g,
                       const uint8_t* b, int step, Formula formula) {
    const Quotients low = DivideTruncating(k.low, reciprocal, divisor);
    const Quotients high = DivideTruncating(k.high, reciprocal, divisor);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), low.values);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 4), high.values);
    const int integral = low.integral | (high.integral << 4);
    if (integral == 0) return;
    for (int x = 0; x < 8; ++x) {
        if (integral & (1 << x)) out[x] = formula(r[x * step], g[x * step], b[x * step]);
    }
}

// True when the sixteen bytes are all the same.
inline bool IsOneValue(const uint8_t* p) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    return _mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(static_cast<char>(p[0])))) == 0xFFFF;
}

}  // namespace

void ConvertTile(const Tile& tile, JpegEncoder& encoder) {
    const ColourProducts& p = Products();
    const auto luma = [&p](uint8_t r, uint8_t g, uint8_t b) { return LumaOf(p, r, g, b); };
    const auto blueDifference = [&p](uint8_t r, uint8_t g, uint8_t b) { return BlueDifferenceOf(p, r, g, b); };
    const auto redDifference = [&p](uint8_t r, uint8_t g, uint8_t b) { return RedDifferenceOf(p, r, g, b); };
    const __m128i lumaGreenRed = FactorPair(587, 299), lumaBlueOffset = FactorPair(114, -128);
    const __m128i cbBlueRed = FactorPair(5000, -1687), cbGreen = FactorPair(-3313, 0);
    const __m128i crRedGreen = FactorPair(5000, -4187), crBlue = FactorPair(-813, 0);
    const __m128i thousand = _mm_set1_epi16(1000), zero = _mm_setzero_si128();
    for (int dy = 0; dy < 16; ++dy) {
        const size_t at = dy * tile.stride;
        const uint8_t* r = tile.red + at;
        const uint8_t* g = tile.green + at;
        const uint8_t* b = tile.blue + at;
        // Most rows of a drawing are one colour (white and black among the
        // pixels that need the double formula): one conversion serves the row.
        if (IsOneValue(r) && IsOneValue(g) && IsOneValue(b)) {
            const YCbCr c = ConvertPixel(r[0], g[0], b[0]);
            std::fill_n(LuminanceRow(encoder, dy, 0), 8, c.y);
            std::fill_n(LuminanceRow(encoder, dy, 1), 8, c.y);
            if (dy & 1) continue;
            std::fill_n(&encoder.cb[(dy / 2) * 8], 8, c.cb);
            std::fill_n(&encoder.cr[(dy / 2) * 8], 8, c.cr);
            continue;
        }
        for (int half = 0; half < 2; ++half) {
            const int x = 8 * half;
            const Sums k = WeightedSums(EightSamples(g + x), EightSamples(r + x), EightSamples(b + x), thousand,
                                        lumaGreenRed, lumaBlueOffset);
            StoreEight(k, 0.001f, 1000.0f, LuminanceRow(encoder, dy, half), r + x, g + x, b + x, 1, luma);
        }
        if (dy & 1) continue;
        const __m128i red = EvenSamples(r), green = EvenSamples(g), blue = EvenSamples(b);
        const int row = (dy / 2) * 8;
        StoreEight(WeightedSums(blue, red, green, zero, cbBlueRed, cbGreen), 0.0001f, 10000.0f, &encoder.cb[row], r, g,
                   b, 2, blueDifference);
        StoreEight(WeightedSums(red, green, blue, zero, crRedGreen, crBlue), 0.0001f, 10000.0f, &encoder.cr[row], r, g,
                   b, 2, redDifference);
    }
}

#else

}  // namespace

void ConvertTile(const Tile& tile, JpegEncoder& encoder) { ConvertTilePortable(tile, encoder); }

#endif

YCbCr ConvertPixel(uint8_t red, uint8_t green, uint8_t blue) {
    const ColourProducts& p = Products();
    return {LumaOf(p, red, green, blue), BlueDifferenceOf(p, red, green, blue), RedDifferenceOf(p, red, green, blue)};
}

void ConvertTilePortable(const Tile& tile, JpegEncoder& encoder) {
    const ColourProducts& p = Products();
    for (int dy = 0; dy < 16; ++dy) {
        const size_t at = dy * tile.stride;
        const uint8_t* r = tile.red + at;
        const uint8_t* g = tile.green + at;
        const uint8_t* b = tile.blue + at;
        int32_t* left = LuminanceRow(encoder, dy, 0);
        int32_t* right = LuminanceRow(encoder, dy, 1);
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

}  // namespace jpeg
