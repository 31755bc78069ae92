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
    // Peak signal-to-noise ratio in decibels from the sum of squared differences.
    const auto psnr = [](double sum, const Picture& p) {
        const double mse = sum / static_cast<double>(p.rgb.size());
        return mse == 0 ? 99.0 : 10.0 * std::log10(255.0 * 255.0 / mse);
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RecordingHost host;
        const std::vector<uint8_t> bytes = EncodeBmpBytes(MakeBmp(c.picture, c.layout), host);
        ASSERT_FALSE(bytes.empty());
        jpeg_decompress_struct d{};
        jpeg_error_mgr err{};
        d.err = jpeg_std_error(&err);
        jpeg_create_decompress(&d);
        jpeg_mem_src(&d, bytes.data(), static_cast<unsigned long>(bytes.size()));
        jpeg_read_header(&d, TRUE);
        d.out_color_space = JCS_RGB;
        jpeg_start_decompress(&d);
        ASSERT_EQ(d.output_width, static_cast<JDIMENSION>(c.picture.width));
        ASSERT_EQ(d.output_height, static_cast<JDIMENSION>(c.picture.height));
        // Squared differences from the source and from the source upside down.
        double right = 0;
        double flipped = 0;
        std::vector<uint8_t> row(3 * static_cast<size_t>(c.picture.width));
        while (d.output_scanline < d.output_height) {
            const int32_t y = static_cast<int32_t>(d.output_scanline);
            JSAMPROW rows[] = {row.data()};
            jpeg_read_scanlines(&d, rows, 1);
            for (size_t i = 0; i < row.size(); ++i) {
                const double dr = row[i] - c.picture.At(0, y)[i];
                const double df = row[i] - c.picture.At(0, c.picture.height - 1 - y)[i];
                right += dr * dr;
                flipped += df * df;
            }
        }
        jpeg_finish_decompress(&d);
        EXPECT_EQ(err.num_warnings, 0);  // e.g. corrupt data, premature end
        jpeg_destroy_decompress(&d);
        EXPECT_GT(psnr(right, c.picture), c.minPsnr);
        if (c.picture.height > 1) {
            EXPECT_GT(psnr(right, c.picture), psnr(flipped, c.picture) + 5.0) << "closer to the source upside down";
        }
    }
}
