// For the tests of the encoder and of what uses it: a host that records the encoder's
// messages, generated pictures, and a BMP writer of every layout.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <vector>

#include "jpeg/encoder.h"
#include "jpeg/jpeg_host.h"

namespace jpegtest {

// Records the messages instead of showing them; writes files unless a test replaces the writer.
struct RecordingHost : jpeg::JpegHost {
    std::vector<jpeg::JpegMessage> messages;
    std::function<bool(const std::filesystem::path&, std::span<const uint8_t>)> writer;

    void Report(jpeg::JpegMessage message) override { messages.push_back(message); }
    bool WriteJpegFile(const std::filesystem::path& p, std::span<const uint8_t> b) override {
        return writer ? writer(p, b) : JpegHost::WriteJpegFile(p, b);
    }
};

// An RGB picture, row 0 at the top, 3 bytes per pixel.
struct Picture {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> rgb;

    void Set(int32_t x, int32_t y, uint32_t colour);  // 0xRRGGBB
    std::vector<uint8_t> Plane(int channel) const;
};

Picture SolidPicture(int32_t width, int32_t height, uint32_t colour);
// Thick strokes in the 16 day-picture colours on white, like a drawn page.
Picture StrokePicture(int32_t width, int32_t height, uint32_t seed);
// A smooth colour gradient with a little noise, like a photograph.
Picture GradientPicture(int32_t width, int32_t height, uint32_t seed);

struct BmpLayout {
    int bitCount = 24;  // 4, 8, 16, 24 or 32
    bool topDown = false;
    int paletteSize = 0;   // entries written for 4 and 8 bits (0: 2^bitCount)
    uint32_t clrUsed = 0;  // biClrUsed as written
};

// The picture as a BMP; indexed layouts take the 16 day-picture colours (black beyond).
std::vector<uint8_t> MakeBmp(const Picture& picture, const BmpLayout& layout);

// The JPEG of a picture's planes, or of BMP bytes through the reader; empty when refused.
std::vector<uint8_t> EncodePicture(const Picture& picture);
std::vector<uint8_t> EncodeBmpBytes(std::span<const uint8_t> file, RecordingHost& host);

// Little-endian patching of a header field in a BMP made by MakeBmp.
void Poke32(std::vector<uint8_t>& bytes, size_t at, uint32_t value);
void Poke16(std::vector<uint8_t>& bytes, size_t at, uint16_t value);

}  // namespace jpegtest
