// The encoder's output, byte for byte, on generated pictures, as recorded from the encoder
// that summed the DCT directly: any change in the arithmetic changes one of them.
#include <gtest/gtest.h>

#include <optional>
#include <random>

#include "jpeg/jpeg_tables.h"
#include "support/test_pictures.h"

using namespace jpeg;
using namespace jpegtest;

namespace {

uint64_t Fnv1a64(std::span<const uint8_t> bytes) {
    uint64_t h = 0xcbf29ce484222325ull;
    for (uint8_t b : bytes) h = (h ^ b) * 0x100000001b3ull;
    return h;
}

Picture NoisePicture(int32_t width, int32_t height, uint32_t seed) {
    Picture p = SolidPicture(width, height, 0);
    std::mt19937 rng(seed);
    for (auto& c : p.rgb) c = static_cast<uint8_t>(rng());
    return p;
}

// Each 8 x 8 block takes the sign pattern that drives one coefficient (u, v) to its largest
// magnitude, in colour pairs that take Y, Cb and Cr to the ends of their ranges; at scale 2
// a sample covers 2 x 2 pixels, so the decimated chroma blocks carry the patterns.
Picture SignPatternPicture(int32_t width, int32_t height, int32_t scale) {
    constexpr uint32_t kPairs[3][2] = {{0xFFFFFF, 0x000000}, {0x0000FF, 0xFFFF00}, {0xFF0000, 0x00FFFF}};
    Picture p = SolidPicture(width, height, 0);
    const int32_t side = 8 * scale;
    const int32_t blocksPerRow = (width + side - 1) / side;
    for (int32_t py = 0; py < height; ++py)
        for (int32_t px = 0; px < width; ++px) {
            const int32_t x = px / scale, y = py / scale;
            const int32_t block = (y / 8) * blocksPerRow + x / 8;
            const int32_t u = block % 8, v = (block / 8) % 8;
            const auto& pair = kPairs[(block / 64 + (block % 3)) % 3];
            const bool positive = kCosineTable[u * 8 + y % 8] * kCosineTable[v * 8 + x % 8] > 0;
            p.Set(px, py, pair[positive ? 0 : 1]);
        }
    return p;
}

// Stripes one and two pixels wide: the highest frequencies at full contrast.
Picture StripePicture(int32_t width, int32_t height) {
    Picture p = SolidPicture(width, height, 0);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            const bool on = x < width / 2 ? ((x ^ y) & 1) : ((y / 2) & 1);
            p.Set(x, y, on ? 0xFFFFFF : 0x000000);
        }
    return p;
}

}  // namespace

TEST(GoldenOutput, GeneratedPicturesKeepTheirBytes) {
    struct Case {
        const char* what;
        Picture picture;
        std::optional<BmpLayout> bmp;  // through the reader, or else straight from the planes
        size_t size;
        uint64_t hash;
    };
    const Case cases[] = {
        {"1 x 1 black", SolidPicture(1, 1, 0x000000), {}, 631, 0x3cc710991f75f266ull},
        {"white 16 x 16", SolidPicture(16, 16, 0xFFFFFF), {}, 630, 0x10cd1a01d4f66b81ull},
        {"pure red 9 x 7", SolidPicture(9, 7, 0xFF0000), {}, 634, 0xa45ad88ec4d5354aull},
        {"pure blue 23 x 17", SolidPicture(23, 17, 0x0000FF), {}, 647, 0x998283e170cbe2dull},
        {"strokes 264 x 160", StrokePicture(264, 160, 1), {}, 12102, 0xfe2393375a42f3e1ull},
        {"strokes 100 x 37", StrokePicture(100, 37, 5), {}, 3418, 0x76c14e5cd7ae2359ull},
        {"gradient 321 x 243", GradientPicture(321, 243, 2), {}, 24944, 0xddd9b40ae954f7cfull},
        {"gradient 17 x 300", GradientPicture(17, 300, 9), {}, 2749, 0x6068acfc6b92b77full},
        {"noise 128 x 96", NoisePicture(128, 96, 3), {}, 11966, 0x39cbe7bfe69d9a4full},
        {"noise 33 x 31", NoisePicture(33, 31, 4), {}, 1730, 0x14b8b8c2d07bd833ull},
        {"sign patterns 384 x 128", SignPatternPicture(384, 128, 1), {}, 42643, 0xd2a0966df1ea7523ull},
        {"sign patterns 203 x 61", SignPatternPicture(203, 61, 1), {}, 12121, 0x9d83abe5789eab50ull},
        {"sign patterns in chroma 768 x 256", SignPatternPicture(768, 256, 2), {}, 69876, 0x8a18c1aa451f53dfull},
        {"stripes 64 x 48", StripePicture(64, 48), {}, 1351, 0xe1859f537fefa828ull},
        {"day picture, 4-bit BMP", StrokePicture(264, 160, 8), BmpLayout{.bitCount = 4}, 17870, 0xed4aa8c0dc0a69c7ull},
        {"gradient, 24-bit BMP", GradientPicture(45, 29, 6), BmpLayout{.bitCount = 24}, 1166, 0x60c97356a10d7529ull},
        // Tall enough to be coded in two stages on two threads, with the same bytes.
        {"gradient 203 x 1001", GradientPicture(203, 1001, 11), {}, 62035, 0xf7b5caa63bf7c67bull},
        {"strokes 530 x 700, 4-bit BMP", StrokePicture(530, 700, 12), BmpLayout{.bitCount = 4}, 26677,
         0x31e083f7a2c3d566ull},
    };
    for (const Case& c : cases) {
        RecordingHost host;
        const auto bytes = c.bmp ? EncodeBmpBytes(MakeBmp(c.picture, *c.bmp), host) : EncodePicture(c.picture);
        EXPECT_EQ(bytes.size(), c.size) << c.what;
        EXPECT_EQ(Fnv1a64(bytes), c.hash) << c.what << std::hex << " 0x" << Fnv1a64(bytes);
    }
}
