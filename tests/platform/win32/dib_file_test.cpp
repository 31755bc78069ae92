// A BMP's bytes made into a DIB section: the page's own picture comes back pixel for
// pixel, and bytes cut short or whose header lies are refused, never read past.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

#include "diarycore/picture_bytes.h"
#include "platform/win32/dib_file.h"
#include "platform/win32/window_object.h"
#include "support/test_pictures.h"

namespace {

std::vector<std::uint8_t> OwnPictureFile() {
    std::vector<std::uint8_t> pixels(kPicturePixelBytes);
    for (int y = 0; y < kPictureHeight; ++y)
        for (int x = 0; x < kPictureWidth; ++x) SetPicturePixel(pixels, x, y, static_cast<std::uint8_t>((x + y) % 16));
    return PictureFileBytes(pixels);
}

COLORREF PixelOf(HBITMAP bitmap, int x, int y) {
    const OwnedDc dc(CreateCompatibleDC(nullptr));
    const SelectedObject selected(dc.get(), bitmap);
    return GetPixel(dc.get(), x, y);
}

}  // namespace

TEST(DibSectionOfBmpBytes, OwnPictureComesBackPixelForPixelAndAPhotographShows) {
    const std::vector<std::uint8_t> file = OwnPictureFile();
    const OwnedBitmap bitmap(DibSectionOfBmpBytes(file));
    DIBSECTION section{};
    ASSERT_EQ(GetObjectW(bitmap.get(), sizeof section, &section), static_cast<int>(sizeof section));
    EXPECT_EQ(section.dsBmih.biBitCount, 4);
    EXPECT_EQ(section.dsBm.bmWidth, kPictureWidth);
    EXPECT_EQ(section.dsBm.bmHeight, kPictureHeight);
    EXPECT_EQ(std::memcmp(section.dsBm.bmBits, file.data() + kPictureHeaderBytes, kPicturePixelBytes), 0);
    EXPECT_EQ(PixelOf(bitmap.get(), 3, 0), RGB(128, 128, 0));  // colour 3, at the top left

    jpegtest::Picture photograph = jpegtest::SolidPicture(7, 5, 0xFF0000);
    photograph.Set(0, 0, 0x0000FF);
    const OwnedBitmap topDown(DibSectionOfBmpBytes(jpegtest::MakeBmp(photograph, {24, true})));
    EXPECT_EQ(PixelOf(topDown.get(), 0, 0), RGB(0, 0, 255));
    EXPECT_EQ(PixelOf(topDown.get(), 6, 4), RGB(255, 0, 0));
}

TEST(DibSectionOfBmpBytes, CutOrLyingBytesAreRefused) {
    const std::vector<std::uint8_t> file = OwnPictureFile();
    for (std::size_t size = 0; size < file.size(); size += size < 200 ? 1 : 97)
        EXPECT_FALSE(OwnedBitmap(DibSectionOfBmpBytes(std::span(file).first(size)))) << "cut at " << size;
    EXPECT_FALSE(OwnedBitmap(DibSectionOfBmpBytes(std::span(file).first(file.size() - 1))));

    const struct {
        const char* what;
        std::size_t at;
        std::uint32_t value;
        std::uint32_t compression = BI_RGB;
    } lies[] = {
        {"no BMP signature", 0, 0xE0FFD8FF},
        {"pixels past the end", 10, kPictureFileBytes},
        {"pixels inside the header", 10, 20},
        {"header longer than the file", 14, 0x10000000},
        {"header too short", 14, 16},
        {"twice as wide as its pixels", 18, 2 * kPictureWidth},
        {"a billion rows", 22, 1000000000},
        {"no rows", 22, 0},
        {"two planes of 3 bits", 26, 0x30002},
        {"a JPEG inside", 30, BI_JPEG},
        {"run lengths past the end", 34, 0x7FFFFFFF, BI_RLE4},
    };
    for (const auto& lie : lies) {
        std::vector<std::uint8_t> lying = file;
        jpegtest::Poke32(lying, 30, lie.compression);
        jpegtest::Poke32(lying, lie.at, lie.value);
        EXPECT_FALSE(OwnedBitmap(DibSectionOfBmpBytes(lying))) << lie.what;
    }
}
