// The picture file's bytes, spelled out.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "diarycore/picture_bytes.h"

namespace {

// The header every picture file starts with, spelled out byte by byte.
const std::uint8_t kHeader[54] = {
    'B',  'M',  0xF6, 0x52, 0,    0,    0, 0, 0,    0,    118, 0, 0, 0,  // file: size 21238, pixels at 118
    40,   0,    0,    0,    0x08, 0x01, 0, 0, 160,  0,    0,   0,        // info: 40 bytes, 264 x 160
    1,    0,    4,    0,    0,    0,    0, 0, 0x80, 0x52, 0,   0,        // 1 plane, 4 bits, no compression, 21120
    0xC4, 0x0E, 0,    0,    0xC4, 0x0E, 0, 0, 0,    0,    0,   0, 0, 0, 0, 0,
};

// Rows bottom up, two pixels a byte, the left one high. Blank is all white: aqua is not.
TEST(PictureFile, BlackTopLeftAndAquaBottomRight) {
    std::vector<std::uint8_t> pixels(kPicturePixelBytes, 0xFF);
    EXPECT_TRUE(IsBlankPicture(pixels));
    SetPicturePixel(pixels, 263, 159, 14);
    EXPECT_FALSE(IsBlankPicture(pixels));
    SetPicturePixel(pixels, 0, 0, 0);
    EXPECT_EQ(PicturePixel(pixels, 0, 0), 0);
    EXPECT_EQ(PicturePixel(pixels, 263, 159), 14);
    std::vector<std::uint8_t> file = PictureFileBytes(pixels);
    ASSERT_EQ(file.size(), 21238u);
    EXPECT_TRUE(std::equal(std::begin(kHeader), std::end(kHeader), file.begin()));
    // Palette: blue, green, red, 0 per entry; maroon second, white last.
    EXPECT_EQ(std::vector<std::uint8_t>(file.begin() + 58, file.begin() + 62),
              (std::vector<std::uint8_t>{0, 0, 128, 0}));
    EXPECT_EQ(std::vector<std::uint8_t>(file.begin() + 114, file.begin() + 118),
              (std::vector<std::uint8_t>{255, 255, 255, 0}));
    for (std::size_t i = 118; i < file.size(); ++i) {
        std::uint8_t expected = i == 118 + 159 * 132 ? 0x0F : i == 118 + 131 ? 0xFE : 0xFF;
        ASSERT_EQ(file[i], expected) << "byte " << i;
    }
    EXPECT_FALSE(IsBlankPicture(std::vector<std::uint8_t>(kPicturePixelBytes - 1, 0xFF)));

    // The page's own layout, whatever the resolution says; a picture saving would change is not.
    EXPECT_TRUE(IsOwnPictureLayout(file));
    const std::pair<std::size_t, std::uint8_t> foreign[] = {
        {18, 0x09},  // 265 wide
        {22, 161},   // 161 high
        {25, 0x80},  // a negative height
        {28, 8},     // 8 bits
        {30, 2},     // run-length coded
        {46, 2},     // two colours
        {62, 1},     // another second colour
    };
    for (const auto& [at, value] : foreign) {
        std::vector<std::uint8_t> changed = file;
        changed[at] = value;
        EXPECT_FALSE(IsOwnPictureLayout(changed)) << "byte " << at;
    }
    file[38] = 0x13;  // another resolution
    EXPECT_TRUE(IsOwnPictureLayout(file));
    EXPECT_FALSE(IsOwnPictureLayout(std::span(file).first(117)));
    EXPECT_TRUE(PictureFileBytes(std::vector<std::uint8_t>(100, 0xFF)).empty());
}

}  // namespace
