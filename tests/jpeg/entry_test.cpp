// The conversion entry with real files: the JPEG it writes over an older, longer one, and
// that a refused bitmap or a failed write keeps the older file and leaves no part beside it.
// The real writer on full and read-only disks: Cli.FullAndReadOnlyDisksKeepTheOldFiles.
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
        std::vector<uint8_t> bmp;  // empty: no bitmap file
        bool writerFails;
        const char* target;
        int result;
        std::vector<JpegMessage> messages;
    };
    const Case cases[] = {
        {"a day picture", day, false, "20000305.jpg", 1, {}},
        {"not a bitmap", std::vector<uint8_t>(50, 'x'), false, "20000305.jpg", 0, {JpegMessage::BmpNoSignature}},
        {"1 bit per pixel", oneBit, false, "20000305.jpg", 0,
         {JpegMessage::BmpColourLayout, JpegMessage::EncodingFailed}},
        {"no bitmap at all", {}, false, "20000305.jpg", 0, {JpegMessage::BmpUnreadable}},
        {"the writer fails", day, true, "20000305.jpg", 0, {}},
        {"into a folder that does not exist", day, false, "missing/20000305.jpg", 0, {}},
    };
    const std::vector<uint8_t> expected = EncodePicture(picture);
    const std::vector<uint8_t> old(100000, 0x55);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScratchFolder folder;
        const fs::path bmp = folder / "20000305.bmp", jpg = folder / "20000305.jpg", target = folder / c.target;
        WriteFileBytes(jpg, old);
        if (!c.bmp.empty()) WriteFileBytes(bmp, c.bmp);
        RecordingHost host;
        if (c.writerFails) host.writer = [](const fs::path&, std::span<const uint8_t>) { return false; };
        EXPECT_EQ(ConvertBmpToJpeg(bmp.u16string().c_str(), target.u16string().c_str(), host), c.result);
        EXPECT_EQ(host.messages, c.messages);
        EXPECT_TRUE(ReadFileBytes(jpg) == (c.result ? expected : old)) << "an older, longer file is replaced whole";
        const auto names = c.bmp.empty() ? std::vector<std::string>{"20000305.jpg"}
                                         : std::vector<std::string>{"20000305.bmp", "20000305.jpg"};
        EXPECT_EQ(NamesIn(folder.Path()), names);
    }
}
