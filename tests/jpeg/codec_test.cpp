// The stream, the Huffman coder and the block arithmetic, checked against
// worked values: a wrong table entry, order of operations or rounding shows
// up here as a changed byte.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "jpeg/encoder.h"
#include "jpeg/huffman.h"
#include "jpeg/jpeg_stream.h"
#include "jpeg/jpeg_tables.h"
#include "jpeg/mcu.h"
#include "test_support.h"

using namespace jpeg;
using jpegtest::RecordingHost;

namespace {

std::vector<uint8_t> Bytes(std::initializer_list<int> list) {
    std::vector<uint8_t> v;
    for (int b : list) v.push_back(static_cast<uint8_t>(b));
    return v;
}

std::vector<uint8_t> EncodeSolid(int32_t w, int32_t h, uint32_t colour) {
    RecordingHost host;
    const auto p = jpegtest::SolidPicture(w, h, colour);
    std::vector<uint8_t> out;
    EXPECT_EQ(EncodePlanes(w, h, p.Plane(0), p.Plane(1), p.Plane(2), host, out), 1);
    EXPECT_TRUE(host.messages.empty());
    return out;
}

// Codes one quantised block for a component whose predictor is 0 and returns
// the stream with its last byte padded.
std::vector<uint8_t> CodeBlock(const Block& coefficients, int component) {
    int result = 0;
    auto bytes = jpegtest::CodeOneBlock(coefficients, component, &result);
    EXPECT_EQ(result, 1);
    return bytes;
}

}  // namespace

TEST(BitWriter, StuffsEntropyCodedFFAndPadsWithOnes) {
    struct Case {
        const char* what;
        std::vector<std::pair<uint32_t, int>> bits;
        std::vector<uint8_t> expected;
    };
    const Case cases[] = {
        {"whole FF byte is stuffed", {{0xFF, 8}}, Bytes({0xFF, 0x00})},
        {"padding that completes FF is stuffed", {{0x7F, 7}}, Bytes({0xFF, 0x00})},
        {"padding with ones", {{0x0, 3}}, Bytes({0x1F})},
        {"16 bits across byte boundary", {{0x5, 3}, {0xABCD, 16}}, Bytes({0xB5, 0x79, 0xBF})},
        {"only the low n bits", {{0xFFFFFF01, 2}}, Bytes({0x7F})},
        {"nothing for n = 0", {{0xFFFF, 0}}, Bytes({})},
        {"FF inside a longer run", {{0x1, 1}, {0xFF, 8}, {0x0, 7}}, Bytes({0xFF, 0x00, 0x80})},
    };
    for (const Case& c : cases) {
        RecordingHost host;
        JpegStream s;
        CreateStream(s, host, 16);
        for (auto [value, n] : c.bits) EXPECT_EQ(PutBits(s, value, n), 1) << c.what;
        FlushBits(s);
        EXPECT_EQ(s.bytes, c.expected) << c.what;
    }
}

TEST(BitWriter, HeaderBytesFlushPendingBitsAndAreNeverStuffed) {
    RecordingHost host;
    JpegStream s;
    CreateStream(s, host, 16);
    PutBits(s, 0x2, 2);
    PutByte(s, 0xFF);
    PutWord(s, 0xFFD9);
    const uint8_t raw[] = {0xFF, 0xFF};
    PutBytes(s, raw);
    EXPECT_EQ(s.bytes, Bytes({0xBF, 0xFF, 0xFF, 0xD9, 0xFF, 0xFF}));

    // More than 16 bits: refused with its message, nothing written.
    EXPECT_EQ(PutBits(s, 0x1FFFF, 17), 0);
    EXPECT_EQ(s.bytes.size(), 6u);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0], JpegMessage::StreamBitsTooWide);
}

TEST(HuffmanTables, GeneratedCodesMatchTheReferenceCodeWords) {
    struct Case {
        const HuffCodeTable& table;
        int32_t index;
        int32_t length;
        int32_t code;
    };
    const Case cases[] = {
        {DcCodeTable(0), 0, 2, 0b00},           {DcCodeTable(1), 0, 2, 0b00},
        {DcCodeTable(0), 7, 5, 0b11110},        {DcCodeTable(0), 11, 9, 0b111111110},
        {DcCodeTable(1), 11, 11, 0b11111111110},
        {AcCodeTable(0), AcIndex(0, 0), 4, 0b1010},
        {AcCodeTable(1), AcIndex(0, 0), 2, 0b00},
        {AcCodeTable(0), AcIndex(15, 0), 11, 0b11111111001},
        {AcCodeTable(1), AcIndex(15, 0), 10, 0b1111111010},
        {AcCodeTable(0), AcIndex(0, 1), 2, 0b00},  {AcCodeTable(0), AcIndex(0, 2), 2, 0b01},
        {AcCodeTable(0), AcIndex(4, 1), 6, 0b111011},
        {AcCodeTable(0), AcIndex(15, 10), 16, 0b1111111111111110},
        {AcCodeTable(1), AcIndex(15, 10), 16, 0b1111111111111110},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.table.lengths[c.index], c.length) << "index " << c.index;
        EXPECT_EQ(c.table.codes[c.index], c.code) << "index " << c.index;
    }
    // Every symbol has a code within the lengths the tables allow.
    const struct { const HuffCodeTable& t; int32_t count, shortest, longest; } ranges[] = {
        {DcCodeTable(0), 12, 2, 9}, {DcCodeTable(1), 12, 2, 11},
        {AcCodeTable(0), 162, 2, 16}, {AcCodeTable(1), 162, 2, 16},
    };
    for (const auto& r : ranges) {
        ASSERT_EQ(r.t.count, r.count);
        for (int32_t i = 0; i < r.count; ++i) {
            EXPECT_GE(r.t.lengths[i], r.shortest) << i;
            EXPECT_LE(r.t.lengths[i], r.longest) << i;
        }
    }
}

TEST(HuffmanCoding, WorkedBlocks) {
    Block zrl{};
    zrl[kZigZag[21]] = 1;
    // DC 00, ZRL 11111111001, run 4 / size 1 111011 and bit 1, EOB 1010.
    EXPECT_EQ(CodeBlock(zrl, 0), Bytes({0x3F, 0xCF, 0x7A}));

    Block negative{};
    negative[kZigZag[1]] = -3;
    // DC 00, size 2 code 01 with bits 00 (-3), EOB 1010, padding.
    EXPECT_EQ(CodeBlock(negative, 0), Bytes({0x12, 0xBF}));

    Block chroma{};
    chroma[0] = -5;
    // Chroma DC category 3 (110) with bits 010, EOB 00: exactly one byte.
    EXPECT_EQ(CodeBlock(chroma, 1), Bytes({0xC8}));

    // A last coefficient that is not zero ends the block without EOB: DC 00,
    // three ZRL, run 14 / size 1 and its bit, and nothing after.
    Block last{};
    last[63] = 1;
    const HuffCodeTable& ac = AcCodeTable(0);
    const int32_t bits = 2 + 3 * 11 + ac.lengths[AcIndex(14, 1)] + 1;
    auto coded = CodeBlock(last, 0);
    for (size_t i = 0; i + 1 < coded.size(); ++i) {
        if (coded[i] == 0xFF && coded[i + 1] == 0x00) coded.erase(coded.begin() + i + 1);
    }
    ASSERT_EQ(coded.size(), static_cast<size_t>((bits + 7) / 8));
    // The coefficient's bit 1 is followed only by padding ones.
    const int pad = 8 * static_cast<int>(coded.size()) - bits;
    EXPECT_EQ(coded.back() & ((2 << pad) - 1), (2 << pad) - 1);
}

TEST(Dct, WorkedBlackBlockAndQuantisationTowardZero) {
    JpegEncoder e;
    Block black;
    black.fill(-128);
    ForwardDct(e, black);
    EXPECT_EQ(e.coefficients[0], -1024);
    for (int k = 1; k < 64; ++k) EXPECT_EQ(e.coefficients[k], 0) << k;
    QuantizeBlock(e, 0);
    EXPECT_EQ(e.coefficients[0], -64);

    e.coefficients = {};
    e.coefficients[0] = -31;
    e.coefficients[1] = 31;  // table entry 11
    e.coefficients[63] = -98;  // table entry 99
    QuantizeBlock(e, 0);
    EXPECT_EQ(e.coefficients[0], -1);
    EXPECT_EQ(e.coefficients[1], 2);
    EXPECT_EQ(e.coefficients[63], 0);
    e.coefficients[5] = -7;
    QuantizeBlock(e, 2);
    EXPECT_EQ(e.coefficients[5], -7);
}

TEST(Mcu, EdgesRepeatTheLastPixelAndChromaTakesTopLeftOfEachPair) {
    // 264 x 20: the last MCU column covers x = 256 .. 271, the second MCU row
    // y = 16 .. 31; beyond the picture the last column and row repeat.
    const int32_t w = 264, h = 20;
    std::vector<uint8_t> r(w * h), g(w * h), b(w * h);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            // Grey levels that differ by column and row; odd pixels marked red.
            const uint8_t level = static_cast<uint8_t>((x + 3 * y) & 0xFF);
            r[y * w + x] = (x & 1) || (y & 1) ? 255 : level;
            g[y * w + x] = (x & 1) || (y & 1) ? 0 : level;
            b[y * w + x] = (x & 1) || (y & 1) ? 0 : level;
        }
    JpegEncoder e;
    e.red = r.data(), e.green = g.data(), e.blue = b.data();
    e.params.width = w, e.params.height = h;
    BuildMcu(e, 16, 1);
    const auto yAt = [&](int32_t x, int32_t y) {
        const size_t i = static_cast<size_t>(std::min(y, h - 1)) * w + std::min(x, w - 1);
        return ConvertPixel(r[i], g[i], b[i]);
    };
    for (int dy = 0; dy < 16; ++dy)
        for (int dx = 0; dx < 16; ++dx) {
            const int block = (dy >= 8 ? 2 : 0) + (dx >= 8 ? 1 : 0);
            ASSERT_EQ(e.luminance[block][(dy & 7) * 8 + (dx & 7)], yAt(256 + dx, 16 + dy).y) << dx << "," << dy;
        }
    for (int cy = 0; cy < 8; ++cy)
        for (int cx = 0; cx < 8; ++cx) {
            const YCbCr c = yAt(256 + 2 * cx, 16 + 2 * cy);
            ASSERT_EQ(e.cb[cy * 8 + cx], c.cb) << cx << "," << cy;
            ASSERT_EQ(e.cr[cy * 8 + cx], c.cr) << cx << "," << cy;
        }
}

TEST(JfifStream, HeaderLayoutAndTheWorkedBlackPicture) {
    const auto stream = EncodeSolid(1, 1, 0x000000);
    ASSERT_EQ(stream.size(), 631u);
    const auto start = Bytes({0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 0x4A, 0x46, 0x49, 0x46, 0x00,
                              0x01, 0x01, 0x01, 0x00, 0x48, 0x00, 0x48, 0x00, 0x00});
    EXPECT_TRUE(std::equal(start.begin(), start.end(), stream.begin()));
    // Segment markers at their offsets: two DQT, SOF0, four DHT, SOS.
    const struct { size_t at; uint8_t marker; uint16_t length; } segments[] = {
        {20, 0xDB, 67},  {89, 0xDB, 67},  {158, 0xC0, 17}, {177, 0xC4, 31},
        {210, 0xC4, 31}, {243, 0xC4, 181}, {426, 0xC4, 181}, {609, 0xDA, 12},
    };
    for (const auto& s : segments) {
        EXPECT_EQ(stream[s.at], 0xFF) << s.at;
        EXPECT_EQ(stream[s.at + 1], s.marker) << s.at;
        EXPECT_EQ(stream[s.at + 2] * 256 + stream[s.at + 3], s.length) << s.at;
    }
    EXPECT_EQ(stream[24], 0x00);
    EXPECT_EQ(stream[25], 16);  // first luminance entry
    EXPECT_EQ(stream[26], 11);  // zig-zag 1 is natural 1
    EXPECT_EQ(stream[27], 12);  // zig-zag 2 is natural 8
    EXPECT_EQ(stream[93], 0x01);
    EXPECT_EQ(std::vector<uint8_t>(stream.begin() + 162, stream.begin() + 177),
              Bytes({8, 0, 1, 0, 1, 3, 1, 0x22, 0, 2, 0x11, 1, 3, 0x11, 1}));
    EXPECT_EQ(std::vector<uint8_t>(stream.begin() + 613, stream.begin() + 623),
              Bytes({3, 1, 0x00, 2, 0x11, 3, 0x11, 0, 63, 0}));
    // Y DC -64 (11110 0111111), EOB; three Y blocks 00 1010; Cb, Cr 00 00;
    // 42 bits padded with ones, then the end marker.
    EXPECT_EQ(std::vector<uint8_t>(stream.begin() + 623, stream.end()),
              Bytes({0xF3, 0xFA, 0x28, 0xA2, 0x80, 0x3F, 0xFF, 0xD9}));

    const auto mcu = EncodeSolid(16, 16, 0x000000);
    EXPECT_EQ(std::vector<uint8_t>(mcu.begin() + 623, mcu.end()),
              std::vector<uint8_t>(stream.begin() + 623, stream.end()));
    // A zero dimension is no picture: nothing is encoded, nothing reported as done.
    RecordingHost host;
    std::vector<uint8_t> none;
    EXPECT_EQ(EncodePlanes(0, 0, {}, {}, {}, host, none), 0);
    EXPECT_EQ(EncodeLoadedBitmap(BmpImage{}, host, none), 0);
    EXPECT_TRUE(none.empty());

    const auto day = EncodeSolid(264, 160, 0xFFFFFF);
    EXPECT_EQ(std::vector<uint8_t>(day.begin() + 163, day.begin() + 167), Bytes({0x00, 0xA0, 0x01, 0x08}));
}

