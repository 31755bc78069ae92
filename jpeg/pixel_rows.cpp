#include "jpeg/pixel_rows.h"

#include <array>

#if defined(__GNUC__) && defined(__x86_64__)
#include <tmmintrin.h>
#define DOODLE_ROW_SHUFFLES 1
#endif

namespace jpeg {

void SplitBgrRowPlain(const uint8_t* row, size_t width, uint8_t* red, uint8_t* green, uint8_t* blue) {
    for (size_t x = 0; x < width; ++x) blue[x] = row[3 * x], green[x] = row[3 * x + 1], red[x] = row[3 * x + 2];
}

void SplitNibbleRowPlain(const uint8_t* row, size_t width, const uint8_t* table, uint8_t* red, uint8_t* green,
                         uint8_t* blue) {
    for (size_t x = 0; x < width; ++x) {
        const uint32_t index = (x & 1) ? (row[x / 2] & 0x0F) : (row[x / 2] >> 4);
        const uint8_t* entry = table + 4 * index;  // blue, green, red, reserved
        blue[x] = entry[0], green[x] = entry[1], red[x] = entry[2];
    }
}

#if DOODLE_ROW_SHUFFLES

namespace {

// For channel c of sixteen 3-byte pixels in three 16-byte vectors: the pshufb
// control that takes, from vector v, the bytes that fall in it (0x80 elsewhere).
constexpr std::array<std::array<uint8_t, 16>, 9> BgrControls() {
    std::array<std::array<uint8_t, 16>, 9> controls{};
    for (int c = 0; c < 3; ++c)
        for (int v = 0; v < 3; ++v)
            for (int i = 0; i < 16; ++i) {
                const int at = 3 * i + c;
                controls[c * 3 + v][i] = at / 16 == v ? static_cast<uint8_t>(at % 16) : 0x80;
            }
    return controls;
}
constexpr auto kBgrControls = BgrControls();

__attribute__((target("ssse3"))) __m128i Gather(const __m128i (&bytes)[3], int channel) {
    __m128i out = _mm_setzero_si128();
    for (int v = 0; v < 3; ++v) {
        const __m128i control = _mm_loadu_si128(reinterpret_cast<const __m128i*>(kBgrControls[channel * 3 + v].data()));
        out = _mm_or_si128(out, _mm_shuffle_epi8(bytes[v], control));
    }
    return out;
}

__attribute__((target("ssse3"))) void SplitBgrRowShuffled(const uint8_t* row, size_t width, uint8_t* red,
                                                          uint8_t* green, uint8_t* blue) {
    size_t x = 0;
    for (; x + 16 <= width; x += 16) {
        const uint8_t* p = row + 3 * x;
        const __m128i bytes[3] = {_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)),
                                  _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16)),
                                  _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 32))};
        _mm_storeu_si128(reinterpret_cast<__m128i*>(blue + x), Gather(bytes, 0));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(green + x), Gather(bytes, 1));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(red + x), Gather(bytes, 2));
    }
    SplitBgrRowPlain(row + 3 * x, width - x, red + x, green + x, blue + x);
}

// Sixteen pixels from eight bytes: the indices in order, then each channel
// looked up in its own sixteen-byte table.
__attribute__((target("ssse3"))) void SplitNibbleRowShuffled(const uint8_t* row, size_t width, const uint8_t* table,
                                                             int colours, uint8_t* red, uint8_t* green, uint8_t* blue) {
    alignas(16) uint8_t lanes[3][16] = {};
    for (int i = 0; i < colours && i < 16; ++i) {
        for (int c = 0; c < 3; ++c) lanes[c][i] = table[4 * i + c];
    }
    const __m128i blues = _mm_load_si128(reinterpret_cast<const __m128i*>(lanes[0]));
    const __m128i greens = _mm_load_si128(reinterpret_cast<const __m128i*>(lanes[1]));
    const __m128i reds = _mm_load_si128(reinterpret_cast<const __m128i*>(lanes[2]));
    const __m128i nibble = _mm_set1_epi8(0x0F);
    size_t x = 0;
    for (; x + 16 <= width; x += 16) {
        const __m128i packed = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(row + x / 2));
        const __m128i high = _mm_and_si128(_mm_srli_epi16(packed, 4), nibble);
        const __m128i low = _mm_and_si128(packed, nibble);
        const __m128i indices = _mm_unpacklo_epi8(high, low);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(blue + x), _mm_shuffle_epi8(blues, indices));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(green + x), _mm_shuffle_epi8(greens, indices));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(red + x), _mm_shuffle_epi8(reds, indices));
    }
    // x is even here, so the rest starts on a whole byte.
    SplitNibbleRowPlain(row + x / 2, width - x, table, red + x, green + x, blue + x);
}

bool HasShuffles() {
    static const bool has = __builtin_cpu_supports("ssse3");
    return has;
}

}  // namespace

void SplitBgrRow(const uint8_t* row, size_t width, uint8_t* red, uint8_t* green, uint8_t* blue) {
    if (HasShuffles()) return SplitBgrRowShuffled(row, width, red, green, blue);
    SplitBgrRowPlain(row, width, red, green, blue);
}

void SplitNibbleRow(const uint8_t* row, size_t width, const uint8_t* table, int colours, uint8_t* red, uint8_t* green,
                    uint8_t* blue) {
    if (HasShuffles()) return SplitNibbleRowShuffled(row, width, table, colours, red, green, blue);
    SplitNibbleRowPlain(row, width, table, red, green, blue);
}

#else

void SplitBgrRow(const uint8_t* row, size_t width, uint8_t* red, uint8_t* green, uint8_t* blue) {
    SplitBgrRowPlain(row, width, red, green, blue);
}

void SplitNibbleRow(const uint8_t* row, size_t width, const uint8_t* table, int, uint8_t* red, uint8_t* green,
                    uint8_t* blue) {
    SplitNibbleRowPlain(row, width, table, red, green, blue);
}

#endif

}  // namespace jpeg
