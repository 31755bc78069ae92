// The day's picture as bytes: the 16-colour palette, the pixel layout of a 4-bit
// bottom-up bitmap of the picture rectangle, the blank test and the BMP file written
// for it. No window system here; the window side only captures the pixel bytes.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

inline constexpr int kPictureWidth = 264;
inline constexpr int kPictureHeight = 160;
inline constexpr int kPictureRowBytes = kPictureWidth / 2;                          // two pixels a byte, no padding
inline constexpr int kPicturePixelBytes = kPictureRowBytes * kPictureHeight;        // 21,120
inline constexpr int kPictureHeaderBytes = 14 + 40 + 16 * 4;                        // file and info header, palette
inline constexpr int kPictureFileBytes = kPictureHeaderBytes + kPicturePixelBytes;  // 21,238
inline constexpr std::uint8_t kWhiteIndex = 15;

struct PaletteColour {
    std::uint8_t red, green, blue;
};

// The pens' colours and the picture file's palette, in the order of both.
inline constexpr std::array<PaletteColour, 16> kPalette = {{
    {0, 0, 0},
    {128, 0, 0},
    {0, 128, 0},
    {128, 128, 0},
    {0, 0, 128},
    {128, 0, 128},
    {0, 128, 128},
    {192, 192, 192},
    {128, 128, 128},
    {255, 0, 0},
    {0, 255, 0},
    {255, 255, 0},
    {0, 0, 255},
    {255, 0, 255},
    {0, 255, 255},
    {255, 255, 255},
}};

// Pixel bytes as the file stores them: the bottom row first, the left pixel of each
// byte in the high four bits. x and y count from the top left of the picture.
std::uint8_t PicturePixel(std::span<const std::uint8_t> pixels, int x, int y);
void SetPicturePixel(std::span<std::uint8_t> pixels, int x, int y, std::uint8_t index);

// True when every pixel is white. Pixel bytes of the wrong size are not a blank picture.
bool IsBlankPicture(std::span<const std::uint8_t> pixels);

// True when a file starting with `header` is in the page's own layout: an uncompressed
// 4-bit bitmap of exactly 264 x 160, bottom row first, with the page's 16 colours, so
// saving the page over it loses nothing of it. Anything else (a photograph, another size
// or depth, other colours) came from elsewhere. Only the first kPictureHeaderBytes count.
bool IsOwnPictureLayout(std::span<const std::uint8_t> header);

// The whole file: the fixed header and palette, then the pixel bytes as given.
// Empty when the pixel bytes are not exactly one picture's worth.
std::vector<std::uint8_t> PictureFileBytes(std::span<const std::uint8_t> pixels);
