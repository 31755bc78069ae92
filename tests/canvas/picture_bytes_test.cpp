// The picture file's bytes, spelled out and read back by the encoder's own BMP reader.
#include <gtest/gtest.h>

#include <random>

#include "canvas/picture_bytes.h"
#include "jpeg/bmp_reader.h"
#include "test_support.h"

namespace {

std::vector<std::uint8_t> WhitePixels() { return std::vector<std::uint8_t>(kPicturePixelBytes, 0xFF); }

// The header every picture file starts with, spelled out byte by byte.
const std::uint8_t kHeader[54] = {
    'B', 'M', 0xF6, 0x52, 0, 0,   0, 0, 0, 0,   118, 0, 0, 0,   // file: size 21238, pixels at 118
    40, 0, 0, 0,   0x08, 0x01, 0, 0,   160, 0, 0, 0,            // info: 40 bytes, 264 x 160
    1, 0,   4, 0,   0, 0, 0, 0,   0x80, 0x52, 0, 0,             // 1 plane, 4 bits, no compression, 21120
    0xC4, 0x0E, 0, 0,   0xC4, 0x0E, 0, 0,   0, 0, 0, 0,   0, 0, 0, 0,
};

TEST(PictureFile, OneBlackPixelAtTheTopLeft) {
    std::vector<std::uint8_t> pixels = WhitePixels();
    SetPicturePixel(pixels, 0, 0, 0);
    std::vector<std::uint8_t> file = PictureFileBytes(pixels);
    ASSERT_EQ(file.size(), 21238u);
    EXPECT_TRUE(std::equal(std::begin(kHeader), std::end(kHeader), file.begin()));
    // Palette: blue, green, red, 0 per entry; maroon second, white last.
    EXPECT_EQ(std::vector<std::uint8_t>(file.begin() + 58, file.begin() + 62), (std::vector<std::uint8_t>{0, 0, 128, 0}));
    EXPECT_EQ(std::vector<std::uint8_t>(file.begin() + 114, file.begin() + 118),
              (std::vector<std::uint8_t>{255, 255, 255, 0}));
    for (std::size_t i = 118; i < file.size(); ++i) {
        std::uint8_t expected = i == 118 + 159 * 132 ? 0x0F : 0xFF;
        ASSERT_EQ(file[i], expected) << "byte " << i;
    }
}

TEST(PictureFile, RandomPictureReadsBackExactly) {
    std::mt19937 random(20261206);
    std::vector<std::uint8_t> pixels = WhitePixels();
    std::vector<std::uint8_t> indexes(kPictureWidth * kPictureHeight);
    for (int y = 0; y < kPictureHeight; ++y) {
        for (int x = 0; x < kPictureWidth; ++x) {
            auto index = static_cast<std::uint8_t>(random() % 16);
            indexes[y * kPictureWidth + x] = index;
            SetPicturePixel(pixels, x, y, index);
        }
    }
    std::vector<std::uint8_t> file = PictureFileBytes(pixels);

    jpegtest::RecordingHost host;
    jpeg::BmpImage image;
    ASSERT_EQ(jpeg::LoadBmp(image, file, host), 1);
    std::vector<std::uint8_t> red(kPictureWidth * kPictureHeight), green(red.size()), blue(red.size());
    ASSERT_EQ(jpeg::ExtractPlanes(image, red, green, blue, host), 1);
    for (std::size_t i = 0; i < indexes.size(); ++i) {
        const PaletteColour& colour = kPalette[indexes[i]];
        ASSERT_EQ(red[i], colour.red) << "pixel " << i;
        ASSERT_EQ(green[i], colour.green) << "pixel " << i;
        ASSERT_EQ(blue[i], colour.blue) << "pixel " << i;
        ASSERT_EQ(PicturePixel(pixels, static_cast<int>(i % kPictureWidth), static_cast<int>(i / kPictureWidth)),
                  indexes[i]);
    }
}

TEST(PictureFile, BlankIsEveryPixelWhite) {
    std::vector<std::uint8_t> pixels = WhitePixels();
    EXPECT_TRUE(IsBlankPicture(pixels));
    SetPicturePixel(pixels, 263, 159, 14);   // aqua, next to white, in the last pixel
    EXPECT_FALSE(IsBlankPicture(pixels));
    EXPECT_FALSE(IsBlankPicture(std::vector<std::uint8_t>(kPicturePixelBytes - 1, 0xFF)));
    EXPECT_TRUE(PictureFileBytes(std::vector<std::uint8_t>(100, 0xFF)).empty());
}

}  // namespace
