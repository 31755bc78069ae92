// The encoder's fast steps against their plain definitions: the DCT against
// the direct sum, the colour conversion and the quantisation over every input
// they can get, the Huffman coder against a coefficient-by-coefficient coder.
// Together with the recorded outputs (golden_test.cpp) they keep every byte
// as it was.
#include <gtest/gtest.h>

#include <random>

#include "direct_dct.h"
#include "jpeg/huffman.h"
#include "jpeg/jpeg_stream.h"
#include "jpeg/jpeg_tables.h"
#include "jpeg/mcu.h"
#include "test_support.h"

using namespace jpeg;
using jpegtest::RecordingHost;

namespace {

// Blocks that reach the ends of the sample ranges: constant blocks at each
// end, and for every coefficient (u, v) the sign pattern that makes it
// largest (one end where T[u][i] * T[v][j] > 0, the other end elsewhere) and
// its opposite. Y samples lie in -128 .. 127, Cb and Cr in -127 .. 127.
std::vector<Block> ExtremeBlocks() {
    std::vector<Block> blocks;
    for (const auto& [low, high] : {std::pair{-128, 127}, std::pair{-127, 127}}) {
        Block b;
        b.fill(low);
        blocks.push_back(b);
        b.fill(high);
        blocks.push_back(b);
        for (int u = 0; u < 8; ++u)
            for (int v = 0; v < 8; ++v) {
                Block up, down;
                for (int i = 0; i < 8; ++i)
                    for (int j = 0; j < 8; ++j) {
                        const bool positive = kCosineTable[u * 8 + i] * kCosineTable[v * 8 + j] > 0;
                        up[i * 8 + j] = positive ? high : low;
                        down[i * 8 + j] = positive ? low : high;
                    }
                blocks.push_back(up);
                blocks.push_back(down);
            }
    }
    return blocks;
}

// The AC coding as written down: every coefficient in zig-zag order, zeros
// counted, ZRL before a non-zero coefficient after 16 or more zeros,
// end-of-block only when the last coefficient is zero.
std::vector<uint8_t> CodeOneByOne(const Block& coefficients, int component) {
    RecordingHost host;
    JpegStream s;
    CreateStream(s, host, 1024);
    const HuffCodeTable& dc = DcCodeTable(component == 0 ? 0 : 1);
    const HuffCodeTable& ac = AcCodeTable(component == 0 ? 0 : 1);
    const auto put = [&](int32_t value, int32_t size) {
        PutBits(s, static_cast<uint32_t>(value < 0 ? value - 1 : value), size);
    };
    const int32_t dcSize = ValueSize(coefficients[0]);
    PutBits(s, dc.codes[dcSize], dc.lengths[dcSize]);
    put(coefficients[0], dcSize);
    int32_t run = 0;
    for (int k = 1; k < 64; ++k) {
        const int32_t a = coefficients[kZigZag[k]];
        if (a == 0) {
            if (k == 63) PutBits(s, ac.codes[0], ac.lengths[0]);
            ++run;
            continue;
        }
        for (; run > 15; run -= 16) PutBits(s, ac.codes[AcIndex(15, 0)], ac.lengths[AcIndex(15, 0)]);
        const int32_t size = ValueSize(a);
        PutBits(s, ac.codes[AcIndex(run, size)], ac.lengths[AcIndex(run, size)]);
        put(a, size);
        run = 0;
    }
    FlushBits(s);
    return s.bytes;
}

}  // namespace

TEST(Equivalence, DctEqualsTheDirectSumOnExtremeAndRandomBlocks) {
    std::vector<Block> blocks = ExtremeBlocks();
    std::mt19937 rng(11);
    for (int n = 0; n < 3000; ++n) {
        Block b;
        // Uniform samples, and samples crowded at the two ends.
        for (auto& x : b) x = n % 2 ? static_cast<int32_t>(rng() % 256) - 128 : (rng() % 2 ? 127 : -128);
        blocks.push_back(b);
    }
    JpegEncoder e;
    Block expected;
    for (size_t n = 0; n < blocks.size(); ++n) {
        jpegtest::DirectDct(blocks[n], expected);
        ForwardDct(e, blocks[n]);
        ASSERT_EQ(e.coefficients, expected) << "block " << n;
        ForwardDctPortable(e, blocks[n]);
        ASSERT_EQ(e.coefficients, expected) << "portable form, block " << n;
    }
}

TEST(Equivalence, ColourConversionOfEveryColour) {
    for (int r = 0; r < 256; ++r)
        for (int g = 0; g < 256; ++g)
            for (int b = 0; b < 256; ++b) {
                const double rr = r, gg = g, bb = b;
                const YCbCr c = ConvertPixel(static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b));
                const bool same = c.y == static_cast<int32_t>(((0.587 * gg + 0.299 * rr) + 0.114 * bb) - 128.0) &&
                                  c.cb == static_cast<int32_t>(0.5 * bb - (0.1687 * rr + 0.3313 * gg)) &&
                                  c.cr == static_cast<int32_t>((0.5 * rr - 0.4187 * gg) - 0.0813 * bb);
                if (!same) FAIL() << r << "," << g << "," << b;
            }
}

TEST(Equivalence, QuantisationDividesEveryCoefficientTheDctCanMake) {
    // |coefficient| <= 64 * 128 * 100 * 100 * 0.000025 = 2048; checked well beyond.
    JpegEncoder e;
    for (int component = 0; component < 3; ++component) {
        const auto& table = component == 0 ? kLuminanceQuant : kChrominanceQuant;
        for (int32_t n = -4095; n <= 4095; ++n) {
            e.coefficients.fill(n);
            QuantizeBlock(e, component);
            for (int k = 0; k < 64; ++k) ASSERT_EQ(e.coefficients[k], n / table[k]) << n << " at " << k;
        }
    }
}

TEST(Equivalence, HuffmanCodingEqualsCodingOneCoefficientAtATime) {
    std::mt19937 rng(5);
    for (int n = 0; n < 4000; ++n) {
        // Sparse blocks with long zero runs, sizes up to 10, and sometimes
        // a non-zero last coefficient.
        Block b{};
        const int count = static_cast<int>(rng() % 12);
        for (int i = 0; i < count; ++i) {
            const int32_t magnitude = static_cast<int32_t>(rng() % (1u << (1 + rng() % 10)));
            b[kZigZag[rng() % 64]] = rng() % 2 ? magnitude : -magnitude;
        }
        if (n % 7 == 0) b[63] = static_cast<int32_t>(rng() % 5) - 2;
        b[0] = static_cast<int32_t>(rng() % 4095) - 2047;
        if (n % 50 == 0) b.fill(n % 100 ? 1023 : -1023);
        const int component = n % 3;

        int result = 0;
        const auto bytes = jpegtest::CodeOneBlock(b, component, &result);
        ASSERT_EQ(result, 1);
        ASSERT_EQ(bytes, CodeOneByOne(b, component)) << "block " << n;
    }
}
