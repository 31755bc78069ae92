// The encoder's fast steps against their plain definitions: the DCT against the direct sum,
// colour conversion and quantisation over every input, the Huffman coder against one that
// codes a coefficient at a time. With the recorded outputs they keep every byte as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "direct_dct.h"
#include "jpeg/colour_conversion.h"
#include "jpeg/huffman.h"
#include "jpeg/jpeg_stream.h"
#include "jpeg/jpeg_tables.h"
#include "jpeg/mcu.h"
#include "jpeg/pixel_rows.h"
#include "support/test_pictures.h"

using namespace jpeg;
using jpegtest::RecordingHost;

namespace {

// Blocks of each one sample value; for every coefficient (u, v) the sign pattern that makes
// it largest (one end of the range where T[u][i] * T[v][j] > 0, the other elsewhere) and its
// opposite, over Y's range -128 .. 127 and Cb's and Cr's -127 .. 127.
std::vector<Block> ExtremeBlocks() {
    std::vector<Block> blocks;
    for (int32_t sample = -128; sample <= 127; ++sample) {
        Block b;
        b.fill(sample);
        blocks.push_back(b);
    }
    for (const auto& [low, high] : {std::pair{-128, 127}, std::pair{-127, 127}}) {
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

// The coding as written down: coefficients in zig-zag order, zeros counted, ZRL before a
// non-zero one after 16 or more zeros, end-of-block only when the last one is zero.
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

// The tile conversion against its portable form: every colour at a chroma place (even row
// and column), the other places taking the colours in order; then rows of one colour beside
// rows of several, random colours and those that need the double formula (greys).
TEST(Equivalence, TileConversionEqualsItsPortableFormForEveryColourAndRowsOfOne) {
    uint8_t planes[3][256];
    JpegEncoder vector, portable;
    const auto same = [&] {
        const Tile tile{planes[0], planes[1], planes[2], 16};
        ConvertTile(tile, vector);
        ConvertTilePortable(tile, portable);
        return vector.luminance == portable.luminance && vector.cb == portable.cb && vector.cr == portable.cr;
    };
    uint32_t other = 0;
    for (uint32_t first = 0; first < (1u << 24); first += 64) {
        uint32_t chroma = first;
        for (int i = 0; i < 256; ++i) {
            const bool chromaPlace = (i / 16) % 2 == 0 && i % 2 == 0;
            const uint32_t colour = chromaPlace ? chroma++ : other++ & 0xFFFFFF;
            planes[0][i] = static_cast<uint8_t>(colour >> 16), planes[1][i] = static_cast<uint8_t>(colour >> 8),
            planes[2][i] = static_cast<uint8_t>(colour);
        }
        if (!same()) FAIL() << "the tile whose chroma places start at colour " << first;
    }
    std::mt19937 rng(11);
    for (int n = 0; n < 20000; ++n) {
        for (int y = 0; y < 16; ++y) {
            const bool oneColour = rng() % 3 != 0;
            const bool grey = rng() % 2 == 0;
            for (int x = 0; x < 16; ++x) {
                const uint32_t colour = (oneColour && x > 0) ? 0 : static_cast<uint32_t>(rng());
                for (auto& plane : planes) {
                    plane[y * 16 + x] = (oneColour && x > 0) ? plane[y * 16]
                                        : grey               ? static_cast<uint8_t>(colour >> 8)
                                                             : static_cast<uint8_t>(rng());
                }
            }
        }
        ASSERT_TRUE(same()) << "tile " << n;
    }
}

// Every width up to a few vectors and beyond, so each tail length is met; tables of every size.
TEST(Equivalence, RowSplittingEqualsThePlainLoops) {
    std::mt19937 rng(3);
    std::vector<uint8_t> row(3 * 200), table(4 * 16);
    std::vector<uint8_t> planes(6 * 200);
    uint8_t* fast[3] = {planes.data(), planes.data() + 200, planes.data() + 400};
    uint8_t* plain[3] = {planes.data() + 600, planes.data() + 800, planes.data() + 1000};
    for (size_t width = 1; width <= 200; ++width) {
        for (auto& b : row) b = static_cast<uint8_t>(rng());
        SplitBgrRow(row.data(), width, fast[0], fast[1], fast[2]);
        SplitBgrRowPlain(row.data(), width, plain[0], plain[1], plain[2]);
        for (int c = 0; c < 3; ++c) ASSERT_TRUE(std::equal(fast[c], fast[c] + width, plain[c])) << width;

        const int colours = 1 + static_cast<int>(width % 16);
        for (auto& b : table) b = static_cast<uint8_t>(rng());
        for (size_t x = 0; x < width; ++x) {
            const auto index = static_cast<uint8_t>(rng() % colours);
            row[x / 2] = x % 2 ? static_cast<uint8_t>((row[x / 2] & 0xF0) | index) : static_cast<uint8_t>(index << 4);
        }
        SplitNibbleRow(row.data(), width, table.data(), colours, fast[0], fast[1], fast[2]);
        SplitNibbleRowPlain(row.data(), width, table.data(), plain[0], plain[1], plain[2]);
        for (int c = 0; c < 3; ++c) ASSERT_TRUE(std::equal(fast[c], fast[c] + width, plain[c])) << width;
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
        // Sparse blocks, sizes up to 10, sometimes a non-zero last coefficient.
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
        // Coded as the first block of its component (predictor 0), the last byte padded.
        RecordingHost host;
        JpegEncoder encoder;
        CreateStream(encoder.stream, host, 1024);
        encoder.coefficients = b;
        ASSERT_EQ(EncodeBlock(encoder, component), 1);
        FlushBits(encoder.stream);
        ASSERT_EQ(encoder.stream.bytes, CodeOneByOne(b, component)) << "block " << n;
    }
}
