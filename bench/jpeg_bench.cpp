// Encoding speed of the JPEG encoder: a day picture (264 x 160, 4 bits per
// pixel, read from its BMP bytes) and a 4000 x 3000 photo-like picture.
//
//   jpeg_bench                      run the benchmarks
//   jpeg_bench --write-bmp DIR      write both pictures as BMP files, for
//                                   comparing with other encoders
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

#ifdef DOODLE_BENCH_LIBJPEG
#include <cstdio>
#include <jpeglib.h>
#endif

#include "jpeg/bmp_reader.h"
#include "jpeg/encoder.h"

namespace {

struct QuietHost : jpeg::JpegHost {
    void ShowMessage(const jpeg::MessageInfo&) override {}
};

void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

std::vector<uint8_t> BmpHeader(int32_t w, int32_t h, int bits, int colours, uint32_t stride) {
    const uint32_t offBits = 54 + 4 * colours;
    std::vector<uint8_t> b(offBits + static_cast<size_t>(stride) * h);
    b[0] = 'B', b[1] = 'M';
    Put32(b, 2, static_cast<uint32_t>(b.size()));
    Put32(b, 10, offBits);
    Put32(b, 14, 40);
    Put32(b, 18, static_cast<uint32_t>(w));
    Put32(b, 22, static_cast<uint32_t>(h));
    b[26] = 1, b[28] = static_cast<uint8_t>(bits);
    Put32(b, 34, stride * h);
    return b;
}

// Strokes of a few palette colours on white, 4 bits per pixel, bottom-up.
std::vector<uint8_t> DayPictureBmp() {
    const int32_t w = 264, h = 160;
    const uint32_t stride = 132;
    auto b = BmpHeader(w, h, 4, 16, stride);
    const uint32_t palette[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                  0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                  0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    for (int i = 0; i < 16; ++i) Put32(b, 54 + 4 * i, palette[i]);
    std::mt19937 rng(1);
    std::vector<uint8_t> index(static_cast<size_t>(w) * h, 15);
    for (int stroke = 0; stroke < 12; ++stroke) {
        const uint8_t colour = static_cast<uint8_t>(rng() % 15);
        double x = rng() % w, y = rng() % h;
        const double dx = (rng() % 7) - 3.0, dy = (rng() % 7) - 3.0;
        for (int step = 0; step < 60; ++step, x += dx, y += dy)
            for (int oy = -3; oy <= 3; ++oy)
                for (int ox = -3; ox <= 3; ++ox) {
                    const int px = static_cast<int>(x) + ox, py = static_cast<int>(y) + oy;
                    if (px >= 0 && py >= 0 && px < w && py < h) index[py * w + px] = colour;
                }
    }
    uint8_t* pixels = b.data() + 54 + 64;
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
            pixels[(h - 1 - y) * stride + x / 2] |= (x & 1) ? index[y * w + x] : index[y * w + x] << 4;
    return b;
}

// A smooth gradient with noise, 24 bits per pixel, bottom-up.
std::vector<uint8_t> PhotoBmp(int32_t w, int32_t h) {
    const uint32_t stride = (3 * w + 3) / 4 * 4;
    auto b = BmpHeader(w, h, 24, 0, stride);
    std::mt19937 rng(2);
    uint8_t* pixels = b.data() + 54;
    for (int32_t y = 0; y < h; ++y) {
        uint8_t* row = pixels + static_cast<size_t>(h - 1 - y) * stride;
        for (int32_t x = 0; x < w; ++x) {
            const int noise = static_cast<int>(rng() % 9) - 4;
            row[3 * x] = static_cast<uint8_t>(std::clamp(128 + 80 * ((x / 40 + y / 40) % 2) - 40 + noise, 0, 255));
            row[3 * x + 1] = static_cast<uint8_t>(std::clamp(255 * y / h + noise, 0, 255));
            row[3 * x + 2] = static_cast<uint8_t>(std::clamp(255 * x / w + noise, 0, 255));
        }
    }
    return b;
}

void EncodeBmp(benchmark::State& state, const std::vector<uint8_t>& bmp) {
    QuietHost host;
    for (auto _ : state) {
        jpeg::BmpImage image;
        std::vector<uint8_t> out;
        if (!jpeg::LoadBmp(image, bmp, host) || !jpeg::EncodeLoadedBitmap(image, host, out)) {
            state.SkipWithError("encoding failed");
            break;
        }
        benchmark::DoNotOptimize(out.data());
        state.counters["jpeg_bytes"] = static_cast<double>(out.size());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bmp.size()));
}

void BM_DayPicture(benchmark::State& state) {
    static const auto bmp = DayPictureBmp();
    EncodeBmp(state, bmp);
}
BENCHMARK(BM_DayPicture)->Unit(benchmark::kMillisecond);

void BM_Photo4000x3000(benchmark::State& state) {
    static const auto bmp = PhotoBmp(4000, 3000);
    EncodeBmp(state, bmp);
}
BENCHMARK(BM_Photo4000x3000)->Unit(benchmark::kMillisecond)->Iterations(3);

#ifdef DOODLE_BENCH_LIBJPEG
// The same pictures through libjpeg-turbo at quality 75 with 4:2:0 sampling
// (what cjpeg does by default), from interleaved RGB already in memory.
void EncodeWithLibjpeg(benchmark::State& state, const std::vector<uint8_t>& bmp) {
    QuietHost host;
    jpeg::BmpImage image;
    jpeg::LoadBmp(image, bmp, host);
    const auto size = jpeg::GetBmpSize(image);
    const size_t n = static_cast<size_t>(size.width) * size.height;
    std::vector<uint8_t> r(n), g(n), b(n), rgb(3 * n);
    jpeg::ExtractPlanes(image, r, g, b, host);
    for (size_t i = 0; i < n; ++i) rgb[3 * i] = r[i], rgb[3 * i + 1] = g[i], rgb[3 * i + 2] = b[i];
    for (auto _ : state) {
        jpeg_compress_struct c{};
        jpeg_error_mgr err{};
        c.err = jpeg_std_error(&err);
        jpeg_create_compress(&c);
        unsigned char* out = nullptr;
        unsigned long outSize = 0;
        jpeg_mem_dest(&c, &out, &outSize);
        c.image_width = static_cast<JDIMENSION>(size.width);
        c.image_height = static_cast<JDIMENSION>(size.height);
        c.input_components = 3;
        c.in_color_space = JCS_RGB;
        jpeg_set_defaults(&c);
        jpeg_set_quality(&c, 75, TRUE);
        jpeg_start_compress(&c, TRUE);
        while (c.next_scanline < c.image_height) {
            JSAMPROW row = &rgb[3 * static_cast<size_t>(c.next_scanline) * size.width];
            jpeg_write_scanlines(&c, &row, 1);
        }
        jpeg_finish_compress(&c);
        state.counters["jpeg_bytes"] = static_cast<double>(outSize);
        jpeg_destroy_compress(&c);
        free(out);
    }
}

void BM_LibjpegDayPicture(benchmark::State& state) { EncodeWithLibjpeg(state, DayPictureBmp()); }
BENCHMARK(BM_LibjpegDayPicture)->Unit(benchmark::kMillisecond);

void BM_LibjpegPhoto4000x3000(benchmark::State& state) { EncodeWithLibjpeg(state, PhotoBmp(4000, 3000)); }
BENCHMARK(BM_LibjpegPhoto4000x3000)->Unit(benchmark::kMillisecond)->Iterations(3);
#endif

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--write-bmp") == 0) {
        const std::filesystem::path dir = argv[2];
        for (const auto& [name, bytes] : {std::pair{"day.bmp", DayPictureBmp()}, std::pair{"photo.bmp", PhotoBmp(4000, 3000)}}) {
            std::ofstream(dir / name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                              static_cast<std::streamsize>(bytes.size()));
        }
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
