// The forward DCT of one block: the integer sums of the cosine table, then
// the double steps of each coefficient.
#include "jpeg/mcu.h"

#include <array>
#include <utility>

#include "jpeg/jpeg_tables.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace jpeg {
namespace {

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

// C(k) for each row and column, C(0) and then ones.
constexpr double kScale[8] = {kScaleC0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0};

#if defined(__SSE2__)

// The same transform eight lanes at a time. The first pass keeps the samples
// in 16 bits and multiplies pairs of them into 32-bit sums (pmaddwd). The
// second pass works in doubles: its inputs stay below 2^21 and T below 2^7,
// so every product and sum is an integer below 2^31 that a double holds
// exactly, the same S as the integer sums, and the double steps that follow
// need no conversion.

// Two 16-bit factors for pmaddwd: a * x + b * y for the pair (x, y).
__m128i FactorPair(int32_t a, int32_t b) {
    return _mm_set1_epi32(static_cast<int32_t>((static_cast<uint32_t>(b) << 16) | (static_cast<uint32_t>(a) & 0xFFFF)));
}

// out[u] = sum over i of T[u][i] * row[i], eight 16-bit lanes in, 32-bit
// lanes out in two halves (lanes 0-3 in low, 4-7 in high).
inline void FirstPass(const __m128i row[8], __m128i low[8], __m128i high[8]) {
    __m128i sum[4], diff[4];
    for (int x = 0; x < 4; ++x) {
        sum[x] = _mm_add_epi16(row[x], row[7 - x]);
        diff[x] = _mm_sub_epi16(row[x], row[7 - x]);
    }
    const __m128i outerSum = _mm_add_epi16(sum[0], sum[3]), innerSum = _mm_add_epi16(sum[1], sum[2]);
    const __m128i outerDiff = _mm_sub_epi16(sum[0], sum[3]), innerDiff = _mm_sub_epi16(sum[1], sum[2]);
    // Pairs of neighbouring values for pmaddwd, in the order of the lanes.
    const __m128i sums[2] = {_mm_unpacklo_epi16(outerSum, innerSum), _mm_unpackhi_epi16(outerSum, innerSum)};
    const __m128i diffs[2] = {_mm_unpacklo_epi16(outerDiff, innerDiff), _mm_unpackhi_epi16(outerDiff, innerDiff)};
    const __m128i odd01[2] = {_mm_unpacklo_epi16(diff[0], diff[1]), _mm_unpackhi_epi16(diff[0], diff[1])};
    const __m128i odd23[2] = {_mm_unpacklo_epi16(diff[2], diff[3]), _mm_unpackhi_epi16(diff[2], diff[3])};
    __m128i* halves[2] = {low, high};
    for (int h = 0; h < 2; ++h) {
        __m128i* out = halves[h];
        out[0] = _mm_madd_epi16(sums[h], FactorPair(T(0, 0), T(0, 0)));
        out[4] = _mm_madd_epi16(sums[h], FactorPair(T(4, 0), -T(4, 0)));
        out[2] = _mm_madd_epi16(diffs[h], FactorPair(T(2, 0), T(2, 1)));
        out[6] = _mm_madd_epi16(diffs[h], FactorPair(T(6, 0), T(6, 1)));
        for (int u = 1; u < 8; u += 2) {
            out[u] = _mm_add_epi32(_mm_madd_epi16(odd01[h], FactorPair(T(u, 0), T(u, 1))),
                                   _mm_madd_epi16(odd23[h], FactorPair(T(u, 2), T(u, 3))));
        }
    }
}

// out[v] = sum over j of T[v][j] * in[j], two double lanes.
inline void SecondPass(const __m128d in[8], __m128d out[8]) {
    __m128d sum[4], diff[4];
    for (int j = 0; j < 4; ++j) {
        sum[j] = _mm_add_pd(in[j], in[7 - j]);
        diff[j] = _mm_sub_pd(in[j], in[7 - j]);
    }
    const __m128d outerSum = _mm_add_pd(sum[0], sum[3]), innerSum = _mm_add_pd(sum[1], sum[2]);
    const __m128d outerDiff = _mm_sub_pd(sum[0], sum[3]), innerDiff = _mm_sub_pd(sum[1], sum[2]);
    const auto times = [](__m128d x, int u, int j) { return _mm_mul_pd(x, _mm_set1_pd(T(u, j))); };
    out[0] = times(_mm_add_pd(outerSum, innerSum), 0, 0);
    out[4] = times(_mm_sub_pd(outerSum, innerSum), 4, 0);
    out[2] = _mm_add_pd(times(outerDiff, 2, 0), times(innerDiff, 2, 1));
    out[6] = _mm_add_pd(times(outerDiff, 6, 0), times(innerDiff, 6, 1));
    for (int v = 1; v < 8; v += 2) {
        out[v] = _mm_add_pd(_mm_add_pd(_mm_add_pd(times(diff[0], v, 0), times(diff[1], v, 1)), times(diff[2], v, 2)),
                            times(diff[3], v, 3));
    }
}

inline void Transpose4x4(__m128i& a, __m128i& b, __m128i& c, __m128i& d) {
    const __m128i ab0 = _mm_unpacklo_epi32(a, b), cd0 = _mm_unpacklo_epi32(c, d);
    const __m128i ab1 = _mm_unpackhi_epi32(a, b), cd1 = _mm_unpackhi_epi32(c, d);
    a = _mm_unpacklo_epi64(ab0, cd0);
    b = _mm_unpackhi_epi64(ab0, cd0);
    c = _mm_unpacklo_epi64(ab1, cd1);
    d = _mm_unpackhi_epi64(ab1, cd1);
}

// The 8 x 8 block of 32-bit values held as rows of two halves, turned.
inline void Transpose8x8(__m128i low[8], __m128i high[8]) {
    Transpose4x4(low[0], low[1], low[2], low[3]);
    Transpose4x4(high[0], high[1], high[2], high[3]);
    Transpose4x4(low[4], low[5], low[6], low[7]);
    Transpose4x4(high[4], high[5], high[6], high[7]);
    for (int k = 0; k < 4; ++k) std::swap(high[k], low[4 + k]);
}

// True when all 64 samples are the same.
inline bool IsFlat(const Block& f) {
    const __m128i first = _mm_set1_epi32(f[0]);
    __m128i same = _mm_set1_epi32(-1);
    for (int k = 0; k < 64; k += 4) {
        same = _mm_and_si128(same, _mm_cmpeq_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(&f[k])), first));
    }
    return _mm_movemask_epi8(same) == 0xFFFF;
}

}  // namespace

void ForwardDct(JpegEncoder& encoder, const Block& f) {
    // Most blocks of a drawing are one colour. The rows of the cosine table
    // other than row 0 sum to zero (the symmetries above), so such a block has
    // S[0][0] = 64 * T[0][0]^2 * sample and no other sum: the same coefficients
    // as the whole transform, for a fraction of it.
    if (IsFlat(f)) {
        const int32_t sum = 64 * T(0, 0) * T(0, 0) * f[0];
        encoder.coefficients.fill(0);
        encoder.coefficients[0] = static_cast<int32_t>(((static_cast<double>(sum) * kScaleC0) * kScaleC0) * kDctScale);
        return;
    }
    // Rows of f as 16-bit lanes (samples are -128 .. 127).
    __m128i row[8];
    for (int i = 0; i < 8; ++i) {
        row[i] = _mm_packs_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(&f[i * 8])),
                                 _mm_loadu_si128(reinterpret_cast<const __m128i*>(&f[i * 8 + 4])));
    }
    // columns[u][j] = sum over i of T[u][i] * f[i][j], then turned: lanes u.
    __m128i low[8], high[8];
    FirstPass(row, low, high);
    Transpose8x8(low, high);
    // s[v][u] = S[u][v]; each coefficient then takes its double steps in their
    // order: S * C(v), times C(u), times the DCT's scale. Multiplying by
    // C = 1.0 changes no bit, so only row 0 and lane 0 multiply by C(0).
    const __m128d scaleRow0 = _mm_set1_pd(kScaleC0), scaleLane0 = _mm_set_pd(1.0, kScaleC0);
    const __m128d dctScale = _mm_set1_pd(kDctScale);
    __m128i scaled[2][8];  // [lanes u 0-3, 4-7][v]
    for (int half = 0; half < 2; ++half) {
        const __m128i* columns = half == 0 ? low : high;
        __m128d in[2][8], s[2][8];  // [lanes u 0-1 or 4-5, 2-3 or 6-7][j or v]
        for (int j = 0; j < 8; ++j) {
            in[0][j] = _mm_cvtepi32_pd(columns[j]);
            in[1][j] = _mm_cvtepi32_pd(_mm_shuffle_epi32(columns[j], 0xEE));
        }
        SecondPass(in[0], s[0]);
        SecondPass(in[1], s[1]);
        for (int v = 0; v < 8; ++v) {
            __m128d first = s[0][v], second = s[1][v];
            if (v == 0) first = _mm_mul_pd(first, scaleRow0), second = _mm_mul_pd(second, scaleRow0);
            if (half == 0) first = _mm_mul_pd(first, scaleLane0);
            scaled[half][v] = _mm_unpacklo_epi64(_mm_cvttpd_epi32(_mm_mul_pd(first, dctScale)),
                                                 _mm_cvttpd_epi32(_mm_mul_pd(second, dctScale)));
        }
    }
    // Turned back to coefficients[u * 8 + v].
    Transpose8x8(scaled[0], scaled[1]);
    for (int u = 0; u < 8; ++u) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(&encoder.coefficients[u * 8]), scaled[0][u]);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(&encoder.coefficients[u * 8 + 4]), scaled[1][u]);
    }
}

#else

}  // namespace

void ForwardDct(JpegEncoder& encoder, const Block& f) { ForwardDctPortable(encoder, f); }

#endif

void ForwardDctPortable(JpegEncoder& encoder, const Block& f) {
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
        for (int v = 0; v < 8; ++v) {
            encoder.coefficients[u * 8 + v] =
                static_cast<int32_t>(((static_cast<double>(s[u * 8 + v]) * kScale[v]) * kScale[u]) * kDctScale);
        }
    }
}

}  // namespace jpeg
