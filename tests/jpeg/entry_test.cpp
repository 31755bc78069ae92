// The conversion entry with real files: the JPEG it writes over an older, longer one, and
// that a refused bitmap or a failed write keeps the older file and leaves no part beside
// it. Bitmaps that are missing or no bitmap at all, and the real writer into a missing
// folder or on full and read-only disks: Cli.EveryExitCodeWithItsCause and
// Cli.FullAndReadOnlyDisksKeepTheOldFiles.
#include <gtest/gtest.h>

#include "jpeg/encoder.h"
#include "test_support.h"

using namespace jpeg;
using namespace jpegtest;
namespace fs = std::filesystem;

TEST(Entry, WritesTheWholeJpegOrKeepsTheOlderFile) {
    const Picture picture = StrokePicture(264, 160, 9);
    const std::vector<uint8_t> day = MakeBmp(picture, {.bitCount = 4});
    auto oneBit = MakeBmp(SolidPicture(8, 1, 0), {.bitCount = 8, .paletteSize = 2});
    Poke16(oneBit, 28, 1);
    struct Case {
        const char* what;
        std::vector<uint8_t> bmp;
        bool writerFails;
        int result;
        std::vector<JpegMessage> messages;
    };
    const Case cases[] = {
        {"a day picture", day, false, 1, {}},
        {"1 bit per pixel", oneBit, false, 0, {JpegMessage::BmpColourLayout, JpegMessage::EncodingFailed}},
        {"the writer fails", day, true, 0, {}},
    };
    const std::vector<uint8_t> expected = EncodePicture(picture);
    const std::vector<uint8_t> old(100000, 0x55);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScratchFolder folder;
        const fs::path bmp = folder / "20000305.bmp", jpg = folder / "20000305.jpg";
        WriteFileBytes(jpg, old);
        WriteFileBytes(bmp, c.bmp);
        RecordingHost host;
        if (c.writerFails) host.writer = [](const fs::path&, std::span<const uint8_t>) { return false; };
        EXPECT_EQ(ConvertBmpToJpeg(bmp.u16string().c_str(), jpg.u16string().c_str(), host), c.result);
        EXPECT_EQ(host.messages, c.messages);
        EXPECT_TRUE(ReadFileBytes(jpg) == (c.result ? expected : old)) << "an older, longer file is replaced whole";
        EXPECT_EQ(NamesIn(folder.Path()), (std::vector<std::string>{"20000305.bmp", "20000305.jpg"}));
    }
}
