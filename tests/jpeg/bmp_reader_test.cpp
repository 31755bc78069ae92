// The BMP reader: every refusal with its message and no read outside the file (under
// AddressSanitizer), every layout of the same pixels giving the same JPEG; the entry on files.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "jpeg/bmp_reader.h"
#include "support/scratch_files.h"
#include "support/test_pictures.h"

using namespace jpeg;
using namespace jpegtest;
namespace fs = std::filesystem;

TEST(BmpReader, RefusesBrokenAndUnsupportedFiles) {
    using Edit = std::function<void(std::vector<uint8_t>&)>;
    struct Case {
        const char* what;
        Edit edit;
        JpegMessage message;
    };
    const auto small = MakeBmp(SolidPicture(5, 3, 0xFF0000), {.bitCount = 24});
    // Pixels naming entries beyond their tables, of 16 entries (8-bit) and 2 (4-bit).
    const auto eight = MakeBmp(StrokePicture(9, 4, 2), {.bitCount = 8, .paletteSize = 16, .clrUsed = 16});
    Picture four = SolidPicture(6, 2, 0x000000);
    four.Set(3, 1, 0xFFFFFF);
    const auto fourWithTwo = MakeBmp(four, {.bitCount = 4, .paletteSize = 2, .clrUsed = 2});
    const Case cases[] = {
        {"13 bytes", [](auto& b) { b.resize(13); }, JpegMessage::BmpUnreadable},
        {"a JPEG file", [](auto& b) { b[0] = 0xFF, b[1] = 0xD8; }, JpegMessage::BmpNoSignature},
        {"info header cut short", [](auto& b) { Poke32(b, 10, 14 + 20); }, JpegMessage::BmpUnreadable},
        {"file ends inside the info header", [](auto& b) { b.resize(30); }, JpegMessage::BmpUnreadable},
        {"offset beyond the file", [](auto& b) { Poke32(b, 10, 0x7FFFFFF0); }, JpegMessage::BmpUnreadable},
        {"offset below the headers", [](auto& b) { Poke32(b, 10, 4); }, JpegMessage::BmpUnreadable},
        {"last row truncated", [](auto& b) { b.pop_back(); }, JpegMessage::BmpUnreadable},
        {"image size smaller than the rows", [](auto& b) { Poke32(b, 34, 16); }, JpegMessage::BmpUnreadable},
        {"width 0", [](auto& b) { Poke32(b, 18, 0); }, JpegMessage::BmpUnreadable},
        {"negative width", [](auto& b) { Poke32(b, 18, static_cast<uint32_t>(-5)); }, JpegMessage::BmpUnreadable},
        {"width above 65535", [](auto& b) { Poke32(b, 18, 65536); }, JpegMessage::BmpUnreadable},
        {"most negative height", [](auto& b) { Poke32(b, 22, 0x80000000u); }, JpegMessage::BmpUnreadable},
        {"rows overflowing 32 bits",
         [](auto& b) { Poke32(b, 18, 65535), Poke32(b, 22, 65535), Poke16(b, 28, 32), Poke32(b, 34, 0); },
         JpegMessage::BmpUnreadable},
        {"RLE compressed", [](auto& b) { Poke32(b, 30, 1); }, JpegMessage::BmpUnsupported},
        {"bit fields on 24 bits", [](auto& b) { Poke32(b, 30, 3); }, JpegMessage::BmpUnsupported},
        {"5-6-5 bit fields",
         [](auto& b) {
             Poke16(b, 28, 16), Poke32(b, 30, 3), Poke32(b, 10, 66);
             Poke32(b, 54, 0xF800), Poke32(b, 58, 0x07E0), Poke32(b, 62, 0x001F);
         },
         JpegMessage::BmpUnsupported},
        {"OS/2 core header", [](auto& b) { Poke32(b, 14, 12), Poke32(b, 10, 26); }, JpegMessage::BmpUnsupported},
        {"bit fields without their masks", [](auto& b) { Poke16(b, 28, 16), Poke32(b, 30, 3), Poke32(b, 34, 0); },
         JpegMessage::BmpUnreadable},
        {"2 bits per pixel", [](auto& b) { Poke16(b, 28, 2); }, JpegMessage::BmpUnsupported},
        {"8-bit index 200 of 16", [&](auto& b) { b = eight, b[b.size() - 4] = 200; }, JpegMessage::BmpUnreadable},
        {"4-bit index 15 of 2", [&](auto& b) { b = fourWithTwo; }, JpegMessage::BmpUnreadable},
    };
    for (const Case& c : cases) {
        auto file = small;
        c.edit(file);
        file.shrink_to_fit();  // exactly as long as the edit left it, so ASan sees any read past the end
        RecordingHost host;
        BmpImage image;
        EXPECT_EQ(LoadBmp(image, file, host), 0) << c.what;
        ASSERT_EQ(host.messages.size(), 1u) << c.what;
        EXPECT_EQ(host.messages[0], c.message) << c.what;
        EXPECT_EQ(GetBmpSize(image).width, 0) << c.what;
        std::vector<uint8_t> planes(64);
        EXPECT_EQ(ExtractPlanes(image, planes, planes, planes, host), 0) << c.what;
        std::vector<uint8_t> out;
        EXPECT_EQ(EncodeLoadedBitmap(image, host, out), 0) << c.what;
        EXPECT_TRUE(out.empty()) << c.what;
    }
}

TEST(BmpReader, EveryLayoutOfTheSamePixelsGivesTheSameJpeg) {
    struct Layout {
        const char* what;
        BmpLayout layout;
    };
    const Layout layouts[] = {
        {"4-bit", {.bitCount = 4}},
        {"4-bit top-down", {.bitCount = 4, .topDown = true}},
        {"8-bit", {.bitCount = 8}},
        {"8-bit with a 16-entry table", {.bitCount = 8, .paletteSize = 16, .clrUsed = 16}},
        {"24-bit", {.bitCount = 24}},
        {"24-bit top-down", {.bitCount = 24, .topDown = true}},
        {"32-bit", {.bitCount = 32}},
    };
    for (auto [w, h] : {std::pair{17, 9}, std::pair{263, 161}, std::pair{1, 1}}) {
        const Picture picture = StrokePicture(w, h, static_cast<uint32_t>(w));
        const auto expected = EncodePicture(picture);
        ASSERT_FALSE(expected.empty());
        for (const Layout& l : layouts) {
            auto file = MakeBmp(picture, l.layout);
            // Padding bytes and the unused nibble of an odd 4-bit row are ignored.
            const size_t stride = (static_cast<size_t>(w) * l.layout.bitCount + 31) / 32 * 4;
            if (l.layout.bitCount == 4 && (w & 1)) file[file.size() - stride + w / 2] |= 0x0E;
            if (stride * 8 > static_cast<size_t>(w) * l.layout.bitCount + 8) file.back() = 0xA5;
            RecordingHost host;
            EXPECT_EQ(EncodeBmpBytes(file, host), expected) << l.what << " " << w << "x" << h;
            EXPECT_TRUE(host.messages.empty()) << l.what;
        }
    }

    // An image size without the rows' padding, the pixel data all there.
    const Picture odd = StrokePicture(5, 3, 5);
    auto unpadded = MakeBmp(odd, {.bitCount = 24});
    Poke32(unpadded, 34, 5 * 3 * 3);
    RecordingHost host;
    EXPECT_EQ(EncodeBmpBytes(unpadded, host), EncodePicture(odd));

    // 16-bit (5-5-5) holds full and zero channels exactly.
    Picture pure = SolidPicture(23, 11, 0xFFFFFF);
    const uint32_t colours[] = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF};
    for (int32_t y = 0; y < pure.height; ++y)
        for (int32_t x = 0; x < pure.width; ++x) pure.Set(x, y, colours[(x / 3 + y) % 6]);
    EXPECT_EQ(EncodeBmpBytes(MakeBmp(pure, {.bitCount = 16}), host), EncodePicture(pure));

    // A 4-bit bitmap with fewer colours in use reads its own short table.
    Picture few = SolidPicture(10, 10, 0x000000);
    few.Set(4, 4, 0x800000);
    EXPECT_EQ(EncodeBmpBytes(MakeBmp(few, {.bitCount = 4, .paletteSize = 2, .clrUsed = 2}), host), EncodePicture(few));
    EXPECT_TRUE(host.messages.empty());
}

// The entry replaces an older, longer JPEG whole; one holding the new bytes is left, time and
// all, one that differs even at the same size is replaced. A failed write keeps the older
// file and leaves no part beside it.
TEST(Entry, WritesTheWholeJpegWhereItDiffersOrKeepsTheOlderFile) {
    const Picture picture = StrokePicture(264, 160, 9);
    const std::vector<uint8_t> expected = EncodePicture(picture), old(100000, 0x55);
    ScratchFolder folder;
    const fs::path bmp = folder / "20000305.bmp", jpg = folder / "20000305.jpg";
    WriteFileBytes(bmp, MakeBmp(picture, {.bitCount = 4}));
    WriteFileBytes(jpg, old);
    RecordingHost failing, host;
    failing.writer = [](const fs::path&, std::span<const uint8_t>) { return false; };
    EXPECT_EQ(ConvertBmpToJpeg(bmp.u16string().c_str(), jpg.u16string().c_str(), failing), 0);
    EXPECT_TRUE(ReadFileBytes(jpg) == old);
    ASSERT_EQ(ConvertBmpToJpeg(bmp, jpg, host), 1);
    EXPECT_TRUE(ReadFileBytes(jpg) == expected);
    EXPECT_EQ(NamesIn(folder.Path()), (std::vector<std::string>{"20000305.bmp", "20000305.jpg"}));

    const auto longAgo = fs::last_write_time(jpg) - std::chrono::hours(24 * 400);
    fs::last_write_time(jpg, longAgo);
    ASSERT_EQ(ConvertBmpToJpeg(bmp, jpg, host), 1);
    EXPECT_EQ(fs::last_write_time(jpg), longAgo);
    std::vector<uint8_t> changed = expected;
    changed[changed.size() / 2] ^= 0x01;
    WriteFileBytes(jpg, changed);
    ASSERT_EQ(ConvertBmpToJpeg(bmp, jpg, host), 1);
    EXPECT_TRUE(ReadFileBytes(jpg) == expected);
    EXPECT_TRUE(host.messages.empty() && failing.messages.empty());
}

// Bitmaps of a megabyte and more without a colour table are read a band at a time as they
// are coded, giving the bytes of one read whole; a file cut short after loading is refused.
TEST(Entry, LargeBitmapsCodedFromTheFileAsFromMemory) {
    const Picture picture = GradientPicture(1000, 600, 4);
    const std::vector<uint8_t> expected = EncodePicture(picture);
    ScratchFolder folder;
    const fs::path bmp = folder / "photo.bmp", jpg = folder / "photo.jpg";
    for (const BmpLayout layout :
         {BmpLayout{.bitCount = 24}, BmpLayout{.bitCount = 24, .topDown = true}, BmpLayout{.bitCount = 32}}) {
        SCOPED_TRACE(layout.bitCount);
        const std::vector<uint8_t> file = MakeBmp(picture, layout);
        ASSERT_GE(file.size(), kRowsReadInBands);
        WriteFileBytes(bmp, file);
        RecordingHost host;
        BmpImage image;
        ASSERT_EQ(LoadBmp(image, bmp, host), 1);
        EXPECT_TRUE(image.pixels.empty()) << "the rows stay in the file";
        EXPECT_EQ(ConvertBmpToJpeg(bmp, jpg, host), 1);
        EXPECT_TRUE(ReadFileBytes(jpg) == expected);
        EXPECT_TRUE(host.messages.empty());
    }
    // The 16-bit rows change the colours, so the reference is the same file read whole.
    const std::vector<uint8_t> wide = MakeBmp(GradientPicture(1100, 500, 5), {.bitCount = 16});
    ASSERT_GE(wide.size(), kRowsReadInBands);
    WriteFileBytes(bmp, wide);
    RecordingHost host;
    EXPECT_EQ(ConvertBmpToJpeg(bmp, jpg, host), 1);
    EXPECT_TRUE(ReadFileBytes(jpg) == EncodeBmpBytes(wide, host));

    BmpImage image;
    WriteFileBytes(bmp, MakeBmp(picture, {.bitCount = 24}));
    ASSERT_EQ(LoadBmp(image, bmp, host), 1);
    fs::resize_file(bmp, 500000);
    std::vector<uint8_t> out;
    EXPECT_EQ(EncodeLoadedBitmap(image, host, out), 0);
    EXPECT_EQ(host.messages, std::vector<JpegMessage>{JpegMessage::BmpUnreadable});
}
