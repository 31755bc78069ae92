// Encoding speed of the JPEG encoder, from pixels in memory: a day picture
// (264 x 160, 16 colours) and a 4000 x 3000 photo-like picture; beside it the
// same encoding with the DCT evaluated as defined, libjpeg-turbo, and the DCT
// of one block both ways.
//
//   jpeg_bench                      run the benchmarks
//   jpeg_bench --write-bmp DIR      write both pictures as 24-bit BMP files and our
//                                   quantisation tables as cjpeg reads them (qtables.txt),
//                                   for comparing with other encoders
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
#include "jpeg/huffman.h"
#include "jpeg/jpeg_tables.h"
#include "jpeg/mcu.h"
#include "tests/jpeg/direct_dct.h"

namespace {

struct QuietHost : jpeg::JpegHost {
    void Report(jpeg::JpegMessage) override {}
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
    const uint32_t palette[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
                                  0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
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

// The same picture as a 24-bit BMP, for encoders that read no 4-bit files.
std::vector<uint8_t> As24BitBmp(const std::vector<uint8_t>& bmp) {
    QuietHost host;
    jpeg::BmpImage image;
    jpeg::LoadBmp(image, bmp, host);
    const auto size = jpeg::GetBmpSize(image);
    const size_t n = static_cast<size_t>(size.width) * size.height;
    std::vector<uint8_t> r(n), g(n), b(n);
    jpeg::ExtractPlanes(image, r, g, b, host);
    const uint32_t stride = (3 * size.width + 3) / 4 * 4;
    auto out = BmpHeader(size.width, size.height, 24, 0, stride);
    for (int32_t y = 0; y < size.height; ++y) {
        uint8_t* row = out.data() + 54 + static_cast<size_t>(size.height - 1 - y) * stride;
        for (int32_t x = 0; x < size.width; ++x) {
            const size_t at = static_cast<size_t>(y) * size.width + x;
            row[3 * x] = b[at], row[3 * x + 1] = g[at], row[3 * x + 2] = r[at];
        }
    }
    return out;
}

// Made once and shared by every measurement.
const std::vector<uint8_t>& DayBmp() {
    static const auto bmp = DayPictureBmp();
    return bmp;
}

const std::vector<uint8_t>& Photo12MpBmp() {
    static const auto bmp = PhotoBmp(4000, 3000);
    return bmp;
}

// A picture's planes, extracted once: the in-memory measurements start from
// pixels, as libjpeg-turbo's does.
struct Planes {
    int32_t width = 0, height = 0;
    std::vector<uint8_t> red, green, blue;
};

Planes PlanesOf(const std::vector<uint8_t>& bmp) {
    QuietHost host;
    jpeg::BmpImage image;
    jpeg::LoadBmp(image, bmp, host);
    const auto size = jpeg::GetBmpSize(image);
    const size_t n = static_cast<size_t>(size.width) * size.height;
    Planes p{size.width, size.height, std::vector<uint8_t>(n), std::vector<uint8_t>(n), std::vector<uint8_t>(n)};
    jpeg::ExtractPlanes(image, p.red, p.green, p.blue, host);
    return p;
}

const Planes& DayPlanes() {
    static const Planes p = PlanesOf(DayBmp());
    return p;
}

const Planes& Photo12MpPlanes() {
    static const Planes p = PlanesOf(Photo12MpBmp());
    return p;
}

void EncodeFromPlanes(benchmark::State& state, const Planes& p) {
    QuietHost host;
    for (auto _ : state) {
        std::vector<uint8_t> out;
        if (!jpeg::EncodePlanes(p.width, p.height, p.red, p.green, p.blue, host, out)) {
            state.SkipWithError("encoding failed");
            break;
        }
        benchmark::DoNotOptimize(out.data());
        state.counters["jpeg_bytes"] = static_cast<double>(out.size());
    }
}

// The encoder's own steps with the DCT as defined (4096 products a block).
bool EncodeWithDirectDct(const Planes& p, std::vector<uint8_t>& out) {
    QuietHost host;
    jpeg::JpegEncoder e;
    e.red = p.red.data(), e.green = p.green.data(), e.blue = p.blue.data();
    e.params.width = p.width, e.params.height = p.height;
    jpeg::CreateStream(e.stream, host, p.red.size() * 3);
    jpeg::WriteJfifHeaders(e);
    constexpr int kComponent[6] = {0, 0, 0, 0, 1, 2};
    const jpeg::Block* blocks[6] = {&e.luminance[0], &e.luminance[1], &e.luminance[2], &e.luminance[3], &e.cb, &e.cr};
    for (int32_t row = 0; row < (p.height + 15) / 16; ++row)
        for (int32_t column = 0; column < (p.width + 15) / 16; ++column) {
            jpeg::BuildMcu(e, column, row);
            for (int k = 0; k < 6; ++k) {
                jpegtest::DirectDct(*blocks[k], e.coefficients);
                jpeg::QuantizeBlock(e, kComponent[k]);
                if (!jpeg::EncodeBlock(e, kComponent[k])) return false;
            }
        }
    const uint8_t endOfImage[2] = {0xFF, 0xD9};
    jpeg::PutBytes(e.stream, endOfImage);
    out = std::move(e.stream.bytes);
    return true;
}

void EncodeFromPlanesWithDirectDct(benchmark::State& state, const Planes& p) {
    // Both ways must give the same bytes, or the comparison means nothing.
    QuietHost host;
    std::vector<uint8_t> expected, out;
    if (!jpeg::EncodePlanes(p.width, p.height, p.red, p.green, p.blue, host, expected)) {
        state.SkipWithError("encoding failed");
        return;
    }
    for (auto _ : state) {
        if (!EncodeWithDirectDct(p, out) || out != expected) {
            state.SkipWithError("the direct DCT gives other bytes");
            break;
        }
        state.counters["jpeg_bytes"] = static_cast<double>(out.size());
    }
}

void BM_DayPicture(benchmark::State& state) { EncodeFromPlanes(state, DayPlanes()); }
BENCHMARK(BM_DayPicture)->Unit(benchmark::kMillisecond);

void BM_Photo4000x3000(benchmark::State& state) { EncodeFromPlanes(state, Photo12MpPlanes()); }
BENCHMARK(BM_Photo4000x3000)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_DirectDctDayPicture(benchmark::State& state) { EncodeFromPlanesWithDirectDct(state, DayPlanes()); }
BENCHMARK(BM_DirectDctDayPicture)->Unit(benchmark::kMillisecond);

void BM_DirectDctPhoto4000x3000(benchmark::State& state) { EncodeFromPlanesWithDirectDct(state, Photo12MpPlanes()); }
BENCHMARK(BM_DirectDctPhoto4000x3000)->Unit(benchmark::kMillisecond)->Iterations(1);

// One block's DCT, ours and the direct sum, over a set of noisy blocks.
std::vector<jpeg::Block> NoisyBlocks() {
    std::mt19937 rng(3);
    std::vector<jpeg::Block> blocks(256);
    for (auto& b : blocks)
        for (auto& x : b) x = static_cast<int32_t>(rng() % 256) - 128;
    return blocks;
}

void BM_DctBlock(benchmark::State& state) {
    const auto blocks = NoisyBlocks();
    jpeg::JpegEncoder e;
    size_t i = 0;
    for (auto _ : state) {
        jpeg::ForwardDct(e, blocks[i++ % blocks.size()]);
        benchmark::DoNotOptimize(e.coefficients);
    }
}
BENCHMARK(BM_DctBlock)->Unit(benchmark::kNanosecond);

void BM_DirectDctBlock(benchmark::State& state) {
    const auto blocks = NoisyBlocks();
    jpeg::Block out;
    size_t i = 0;
    for (auto _ : state) {
        jpegtest::DirectDct(blocks[i++ % blocks.size()], out);
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_DirectDctBlock)->Unit(benchmark::kNanosecond);

#ifdef DOODLE_BENCH_LIBJPEG
// The same pictures through libjpeg-turbo at quality 75 with 4:2:0 sampling
// (what cjpeg does by default), from interleaved RGB already in memory.
void EncodeWithLibjpeg(benchmark::State& state, const Planes& p) {
    const size_t n = p.red.size();
    std::vector<uint8_t> rgb(3 * n);
    for (size_t i = 0; i < n; ++i) rgb[3 * i] = p.red[i], rgb[3 * i + 1] = p.green[i], rgb[3 * i + 2] = p.blue[i];
    const jpeg::BmpSize size{p.width, p.height};
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

void BM_LibjpegDayPicture(benchmark::State& state) { EncodeWithLibjpeg(state, DayPlanes()); }
BENCHMARK(BM_LibjpegDayPicture)->Unit(benchmark::kMillisecond);

void BM_LibjpegPhoto4000x3000(benchmark::State& state) { EncodeWithLibjpeg(state, Photo12MpPlanes()); }
BENCHMARK(BM_LibjpegPhoto4000x3000)->Unit(benchmark::kMillisecond)->Iterations(5);
#endif

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--write-bmp") == 0) {
        const std::filesystem::path dir = argv[2];
        for (const auto& [name, bytes] :
             {std::pair{"day.bmp", As24BitBmp(DayBmp())}, std::pair{"photo.bmp", Photo12MpBmp()}}) {
            std::ofstream(dir / name, std::ios::binary)
                .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        }
        // Our two quantisation tables for cjpeg -qtables, row by row, so that cjpeg
        // codes with the tables we code with.
        std::ofstream tables(dir / "qtables.txt");
        for (const auto* table : {&jpeg::kLuminanceQuant, &jpeg::kChrominanceQuant}) {
            for (int k = 0; k < 64; ++k) tables << (*table)[k] << (k % 8 == 7 ? "\n" : " ");
            tables << "\n";
        }
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
