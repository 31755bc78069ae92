#include "lookback/thumbnail.h"

#include <algorithm>

#include "diarycore/picture_bytes.h"

std::vector<std::uint32_t> ShrinkDrawing(const DayDrawing& drawing, int width, int height) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    std::vector<std::uint32_t> small(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        const int top = y * kPictureHeight / height, bottom = std::max(top + 1, (y + 1) * kPictureHeight / height);
        for (int x = 0; x < width; ++x) {
            const int left = x * kPictureWidth / width, right = std::max(left + 1, (x + 1) * kPictureWidth / width);
            unsigned red = 0, green = 0, blue = 0;
            for (int row = top; row < bottom; ++row) {
                for (int column = left; column < right; ++column) {
                    const std::size_t at = static_cast<std::size_t>(row) * kPictureWidth + column;
                    red += drawing.red[at], green += drawing.green[at], blue += drawing.blue[at];
                }
            }
            const unsigned count = static_cast<unsigned>((bottom - top) * (right - left));
            small[static_cast<std::size_t>(y) * width + x] =
                (red / count) << 16 | (green / count) << 8 | (blue / count);
        }
    }
    return small;
}

DayDrawing DrawingOfPictureBytes(std::span<const std::uint8_t> pixels) {
    DayDrawing drawing;
    const std::size_t size = static_cast<std::size_t>(kPictureWidth) * kPictureHeight;
    drawing.red.resize(size), drawing.green.resize(size), drawing.blue.resize(size);
    for (int y = 0; y < kPictureHeight; ++y) {
        for (int x = 0; x < kPictureWidth; ++x) {
            const PaletteColour colour = kPalette[PicturePixel(pixels, x, y)];
            const std::size_t at = static_cast<std::size_t>(y) * kPictureWidth + x;
            drawing.red[at] = colour.red, drawing.green[at] = colour.green, drawing.blue[at] = colour.blue;
        }
    }
    return drawing;
}
