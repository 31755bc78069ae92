#include "support/test_pictures.h"

#include <algorithm>
#include <iterator>
#include <random>
#include <stdexcept>

#include "jpeg/bmp_reader.h"

namespace jpegtest {

// The 16 colours of the day pictures, in palette order.
constexpr uint32_t kDayPalette[16] = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

void Picture::Set(int32_t x, int32_t y, uint32_t colour) {
    uint8_t* p = &rgb[3 * (static_cast<size_t>(y) * width + x)];
    p[0] = static_cast<uint8_t>(colour >> 16);
    p[1] = static_cast<uint8_t>(colour >> 8);
    p[2] = static_cast<uint8_t>(colour);
}

std::vector<uint8_t> Picture::Plane(int channel) const {
    std::vector<uint8_t> plane(static_cast<size_t>(width) * height);
    for (size_t i = 0; i < plane.size(); ++i) plane[i] = rgb[3 * i + channel];
    return plane;
}

Picture SolidPicture(int32_t width, int32_t height, uint32_t colour) {
    Picture p{width, height, std::vector<uint8_t>(3 * static_cast<size_t>(width) * height)};
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) p.Set(x, y, colour);
    return p;
}

Picture StrokePicture(int32_t width, int32_t height, uint32_t seed) {
    Picture p = SolidPicture(width, height, 0xFFFFFF);
    std::mt19937 rng(seed);
    for (int stroke = 0; stroke < 12; ++stroke) {
        const uint32_t colour = kDayPalette[rng() % 15];
        double x = rng() % width, y = rng() % height;
        const double dx = (rng() % 7) - 3.0, dy = (rng() % 7) - 3.0;
        const int radius = 2 + static_cast<int>(rng() % 4);
        for (int step = 0; step < 60; ++step, x += dx, y += dy) {
            for (int oy = -radius; oy <= radius; ++oy)
                for (int ox = -radius; ox <= radius; ++ox) {
                    const int px = static_cast<int>(x) + ox, py = static_cast<int>(y) + oy;
                    if (px >= 0 && py >= 0 && px < width && py < height) p.Set(px, py, colour);
                }
        }
    }
    return p;
}

Picture GradientPicture(int32_t width, int32_t height, uint32_t seed) {
    Picture p = SolidPicture(width, height, 0);
    std::mt19937 rng(seed);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            const auto noise = [&] { return static_cast<int>(rng() % 9) - 4; };
            const auto clamp = [](int v) { return static_cast<uint32_t>(std::clamp(v, 0, 255)); };
            const uint32_t r = clamp(255 * x / std::max(1, width - 1) + noise());
            const uint32_t g = clamp(255 * y / std::max(1, height - 1) + noise());
            const uint32_t b = clamp(128 + 100 * ((x + y) % 64 < 32 ? 1 : -1) / 2 + noise());
            p.Set(x, y, (r << 16) | (g << 8) | b);
        }
    return p;
}

void Poke32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

void Poke16(std::vector<uint8_t>& b, size_t at, uint16_t v) {
    for (int i = 0; i < 2; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

std::vector<uint8_t> MakeBmp(const Picture& picture, const BmpLayout& layout) {
    const int bits = layout.bitCount;
    const int entries = bits <= 8 ? (layout.paletteSize ? layout.paletteSize : 1 << bits) : 0;
    const uint32_t stride = (static_cast<uint32_t>(picture.width) * bits + 31) / 32 * 4;
    const uint32_t offBits = 14 + 40 + 4 * entries;
    const uint32_t imageSize = stride * picture.height;

    std::vector<uint8_t> b(offBits + imageSize);
    b[0] = 'B', b[1] = 'M';
    Poke32(b, 2, static_cast<uint32_t>(b.size()));
    Poke32(b, 10, offBits);
    Poke32(b, 14, 40);
    Poke32(b, 18, static_cast<uint32_t>(picture.width));
    Poke32(b, 22, static_cast<uint32_t>(layout.topDown ? -picture.height : picture.height));
    Poke16(b, 26, 1);
    Poke16(b, 28, static_cast<uint16_t>(bits));
    Poke32(b, 34, imageSize);
    Poke32(b, 46, layout.clrUsed);
    for (int i = 0; i < entries; ++i) Poke32(b, 54 + 4 * i, i < 16 ? kDayPalette[i] : 0);  // B, G, R, 0
    const auto paletteIndex = [&](uint32_t c) {
        const auto* found = std::find(std::begin(kDayPalette), std::end(kDayPalette), c);
        if (found == std::end(kDayPalette)) throw std::invalid_argument("colour not in the palette");
        return static_cast<uint32_t>(found - kDayPalette);
    };
    for (int32_t y = 0; y < picture.height; ++y) {
        const int32_t stored = layout.topDown ? y : picture.height - 1 - y;
        uint8_t* row = &b[offBits + static_cast<size_t>(stored) * stride];
        for (int32_t x = 0; x < picture.width; ++x) {
            const uint8_t* px = &picture.rgb[3 * (static_cast<size_t>(y) * picture.width + x)];
            const uint32_t rgb = (px[0] << 16) | (px[1] << 8) | px[2];
            // Little-endian pixels: a palette index, 5-5-5 or B, G, R (and a filler byte).
            const uint32_t value = bits <= 8    ? paletteIndex(rgb)
                                   : bits == 16 ? ((px[0] >> 3) << 10) | ((px[1] >> 3) << 5) | (px[2] >> 3)
                                                : rgb | 0x5A000000u;
            if (bits == 4) {
                row[x / 2] |= static_cast<uint8_t>((x & 1) ? value : value << 4);
            } else {
                for (int i = 0; i < bits / 8; ++i) row[x * bits / 8 + i] = static_cast<uint8_t>(value >> (8 * i));
            }
        }
    }
    return b;
}

std::vector<uint8_t> EncodePicture(const Picture& p) {
    RecordingHost host;
    std::vector<uint8_t> out;
    if (!jpeg::EncodePlanes(p.width, p.height, p.Plane(0), p.Plane(1), p.Plane(2), host, out)) out.clear();
    return out;
}

std::vector<uint8_t> EncodeBmpBytes(std::span<const uint8_t> file, RecordingHost& host) {
    jpeg::BmpImage image;
    std::vector<uint8_t> out;
    if (!jpeg::LoadBmp(image, file, host) || !jpeg::EncodeLoadedBitmap(image, host, out)) out.clear();
    return out;
}

}  // namespace jpegtest
