// Independent decoding with libjpeg-turbo: every picture the encoder writes must decode
// at its size without a warning and look like its source, clearly closer to it than to
// the source upside down. The golden hashes keep the bytes as they are; this keeps them
// right whenever the hashes are recorded anew. A stream libjpeg cannot read ends the test
// program through libjpeg's own error handler, with its message.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include <jpeglib.h>

#include "test_support.h"

using namespace jpegtest;

namespace {

Picture Decode(const std::vector<uint8_t>& bytes, int* warnings) {
    jpeg_decompress_struct d{};
    jpeg_error_mgr err{};
    d.err = jpeg_std_error(&err);
    jpeg_create_decompress(&d);
    jpeg_mem_src(&d, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&d, TRUE);
    d.out_color_space = JCS_RGB;
    jpeg_start_decompress(&d);
    Picture out = SolidPicture(static_cast<int32_t>(d.output_width), static_cast<int32_t>(d.output_height), 0);
    while (d.output_scanline < d.output_height) {
        JSAMPROW row = &out.rgb[3 * static_cast<size_t>(d.output_scanline) * d.output_width];
        jpeg_read_scanlines(&d, &row, 1);
    }
    jpeg_finish_decompress(&d);
    *warnings = static_cast<int>(err.num_warnings);
    jpeg_destroy_decompress(&d);
    return out;
}

// Peak signal-to-noise ratio in decibels against the source, or the source upside down.
double Psnr(const Picture& decoded, const Picture& source, bool flipped) {
    double sum = 0;
    for (int32_t y = 0; y < source.height; ++y)
        for (int32_t x = 0; x < source.width; ++x)
            for (int c = 0; c < 3; ++c) {
                const double d = decoded.At(x, y)[c] - source.At(x, flipped ? source.height - 1 - y : y)[c];
                sum += d * d;
            }
    const double mse = sum / static_cast<double>(source.rgb.size());
    return mse == 0 ? 99.0 : 10.0 * std::log10(255.0 * 255.0 / mse);
}

}  // namespace

TEST(Decode, EveryWrittenPictureDecodesCloseToItsSource) {
    struct Case {
        const char* what;
        Picture picture;
        BmpLayout layout;
        double minPsnr;
    };
    const Case cases[] = {
        {"day picture", StrokePicture(264, 160, 11), {.bitCount = 4}, 18.0},
        {"1 x 1", SolidPicture(1, 1, 0x008080), {.bitCount = 24}, 30.0},
        {"17 x 9, 8-bit", StrokePicture(17, 9, 13), {.bitCount = 8}, 13.0},
        {"263 x 161, 32-bit", StrokePicture(263, 161, 14), {.bitCount = 32}, 18.0},
        {"photo-like gradient", GradientPicture(321, 203, 15), {.bitCount = 24}, 25.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RecordingHost host;
        const std::vector<uint8_t> bytes = EncodeBmpBytes(MakeBmp(c.picture, c.layout), host);
        ASSERT_FALSE(bytes.empty());
        int warnings = 0;
        const Picture decoded = Decode(bytes, &warnings);
        ASSERT_EQ(decoded.width, c.picture.width);
        ASSERT_EQ(decoded.height, c.picture.height);
        EXPECT_EQ(warnings, 0);  // e.g. corrupt data, premature end
        const double right = Psnr(decoded, c.picture, false);
        EXPECT_GT(right, c.minPsnr);
        if (c.picture.height > 1) {
            EXPECT_GT(right, Psnr(decoded, c.picture, true) + 5.0) << "closer to the source upside down";
        }
    }
}
