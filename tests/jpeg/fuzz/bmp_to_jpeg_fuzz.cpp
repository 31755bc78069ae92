// libFuzzer target: any bytes as a BMP through the reader and, if accepted, the encoder: no
// crash, no read outside the buffers, and a complete JPEG for an accepted bitmap.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "jpeg/bmp_reader.h"
#include "jpeg/encoder.h"

namespace {

struct SilentHost : jpeg::JpegHost {
    void Report(jpeg::JpegMessage) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Keep each run small: the encoder is linear in the pixel count.
    SilentHost host;
    jpeg::BmpImage image;
    if (!jpeg::LoadBmp(image, std::span<const uint8_t>(data, size), host)) return 0;
    if (static_cast<int64_t>(image.width) * image.height > 1 << 20) return 0;
    std::vector<uint8_t> out;
    if (jpeg::EncodeLoadedBitmap(image, host, out)) {
        // A finished stream starts with SOI and ends with EOI.
        if (out.size() < 625 || out[0] != 0xFF || out[1] != 0xD8 || out[out.size() - 2] != 0xFF || out.back() != 0xD9) {
            std::abort();
        }
    } else if (image.bitCount != 1) {
        std::abort();  // every accepted layout but 1 bit per pixel must encode
    }
    return 0;
}
