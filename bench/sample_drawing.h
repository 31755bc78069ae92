// A drawing like a user's for the timed programs: a few strokes of colour, different
// for each n.
#pragma once

#include <cstdint>
#include <vector>

#include "diarycore/picture_bytes.h"

inline std::vector<std::uint8_t> SampleDrawingPixels(int n) {
    std::vector<std::uint8_t> pixels(kPicturePixelBytes, 0xFF);
    for (int stroke = 0; stroke < 6; ++stroke) {
        const auto colour = static_cast<std::uint8_t>((n + stroke) % 15);
        for (int x = 10; x < kPictureWidth - 10; ++x) {
            const int y = (20 + 23 * stroke + x * (stroke + n % 3) / 7) % (kPictureHeight - 4);
            for (int dy = 0; dy < 3; ++dy) SetPicturePixel(pixels, x, y + dy, colour);
        }
    }
    return pixels;
}
