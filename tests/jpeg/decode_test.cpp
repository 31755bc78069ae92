// Independent decoding with libjpeg-turbo: every picture the encoder writes
// must decode at its size and look like its source, clearly closer to it than
// to the source flipped upside down. A disagreement is the encoder's fault.
// The other layouts give these same bytes (bmp_reader_test.cpp).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

#include "jpeg/bmp_reader.h"
#include "jpeg/encoder.h"
#include "test_support.h"

using namespace jpeg;
using namespace jpegtest;

namespace {

struct ErrorJump {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
    char text[JMSG_LENGTH_MAX];
};

// Decodes to RGB; an empty picture when libjpeg reports an error.
Picture Decode(const std::vector<uint8_t>& jpegBytes, int* warnings) {
    jpeg_decompress_struct d{};
    ErrorJump err{};
    d.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = [](j_common_ptr c) {
        auto* e = reinterpret_cast<ErrorJump*>(c->err);
        c->err->format_message(c, e->text);
        std::longjmp(e->jump, 1);
    };
    Picture out;
    if (setjmp(err.jump)) {
        ADD_FAILURE() << "libjpeg: " << err.text;
        jpeg_destroy_decompress(&d);
        return {};
    }
    jpeg_create_decompress(&d);
    jpeg_mem_src(&d, jpegBytes.data(), static_cast<unsigned long>(jpegBytes.size()));
    jpeg_read_header(&d, TRUE);
    d.out_color_space = JCS_RGB;
    jpeg_start_decompress(&d);
    out = SolidPicture(static_cast<int32_t>(d.output_width), static_cast<int32_t>(d.output_height), 0);
    while (d.output_scanline < d.output_height) {
        JSAMPROW row = &out.rgb[3 * static_cast<size_t>(d.output_scanline) * d.output_width];
        jpeg_read_scanlines(&d, &row, 1);
    }
    jpeg_finish_decompress(&d);
    *warnings = static_cast<int>(d.err->num_warnings);
    jpeg_destroy_decompress(&d);
    return out;
}

double Psnr(const Picture& a, const Picture& b) {
    double sum = 0;
    for (size_t i = 0; i < a.rgb.size(); ++i) {
        const double d = static_cast<double>(a.rgb[i]) - b.rgb[i];
        sum += d * d;
    }
    const double mse = sum / static_cast<double>(a.rgb.size());
    return mse == 0 ? 99.0 : 10.0 * std::log10(255.0 * 255.0 / mse);
}

Picture FlipVertically(const Picture& p) {
    Picture out = p;
    const size_t row = 3 * static_cast<size_t>(p.width);
    for (int32_t y = 0; y < p.height; ++y) std::copy_n(&p.rgb[y * row], row, &out.rgb[(p.height - 1 - y) * row]);
    return out;
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
        RecordingHost host;
        BmpImage image;
        std::vector<uint8_t> out;
        ASSERT_EQ(LoadBmp(image, MakeBmp(c.picture, c.layout), host), 1) << c.what;
        ASSERT_EQ(EncodeLoadedBitmap(image, host, out), 1) << c.what;
        int warnings = 0;
        const Picture decoded = Decode(out, &warnings);
        ASSERT_EQ(decoded.width, c.picture.width) << c.what;
        ASSERT_EQ(decoded.height, c.picture.height) << c.what;
        EXPECT_EQ(warnings, 0) << c.what;  // e.g. corrupt data, premature end
        const double right = Psnr(decoded, c.picture);
        EXPECT_GT(right, c.minPsnr) << c.what;
        if (c.picture.height > 1) {
            const double flipped = Psnr(decoded, FlipVertically(c.picture));
            EXPECT_GT(right, flipped + 5.0) << c.what << ": " << right << " vs flipped " << flipped;
        }
    }
}

