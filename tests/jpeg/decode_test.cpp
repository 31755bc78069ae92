// Independent decoding with libjpeg-turbo, for when the golden hashes are recorded anew: a
// photo-like picture, its sides no multiple of 16, written through the BMP reader, must
// decode at its size without a warning and look like its source, clearly closer to it than
// to the source upside down. A stream libjpeg cannot read ends the test program through
// libjpeg's own error handler, with its message.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include <jpeglib.h>

#include "test_support.h"

using namespace jpegtest;

TEST(Decode, AWrittenPictureDecodesCloseToItsSource) {
    const Picture picture = GradientPicture(321, 203, 15);
    RecordingHost host;
    const std::vector<uint8_t> bytes = EncodeBmpBytes(MakeBmp(picture, {.bitCount = 24}), host);
    ASSERT_FALSE(bytes.empty());
    jpeg_decompress_struct d{};
    jpeg_error_mgr err{};
    d.err = jpeg_std_error(&err);
    jpeg_create_decompress(&d);
    jpeg_mem_src(&d, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&d, TRUE);
    d.out_color_space = JCS_RGB;
    jpeg_start_decompress(&d);
    ASSERT_EQ(d.output_width, 321u);
    ASSERT_EQ(d.output_height, 203u);
    // Squared differences from the source and from the source upside down.
    double right = 0;
    double flipped = 0;
    std::vector<uint8_t> row(3 * 321);
    while (d.output_scanline < d.output_height) {
        const int32_t y = static_cast<int32_t>(d.output_scanline);
        JSAMPROW rows[] = {row.data()};
        jpeg_read_scanlines(&d, rows, 1);
        for (size_t i = 0; i < row.size(); ++i) {
            const double dr = row[i] - picture.At(0, y)[i];
            const double df = row[i] - picture.At(0, picture.height - 1 - y)[i];
            right += dr * dr;
            flipped += df * df;
        }
    }
    jpeg_finish_decompress(&d);
    EXPECT_EQ(err.num_warnings, 0);  // e.g. corrupt data, premature end
    jpeg_destroy_decompress(&d);
    // Peak signal-to-noise ratios in decibels.
    const auto psnr = [&](double sum) { return 10.0 * std::log10(255.0 * 255.0 * picture.rgb.size() / sum); };
    EXPECT_GT(psnr(right), 25.0);
    EXPECT_GT(psnr(right), psnr(flipped) + 5.0) << "closer to the source upside down";
}
