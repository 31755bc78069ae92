// The conversion entry with real files: what is written, what is refused,
// and that a failed write never leaves a partial or damaged JPEG.
#include <gtest/gtest.h>

#include "jpeg/encoder.h"
#include "test_files.h"
#include "test_support.h"

using namespace jpeg;
using namespace jpegtest;
namespace fs = std::filesystem;

namespace {

using Names = std::vector<std::string>;

struct EntryTest : ::testing::Test {
    ScratchFolder folder;
    fs::path bmp = folder / "20000305.bmp";
    fs::path jpg = folder / "20000305.jpg";
    Picture picture = StrokePicture(264, 160, 9);

    int Convert(RecordingHost& host, const fs::path& target) {
        return ConvertBmpToJpeg(bmp.u16string().c_str(), target.u16string().c_str(), host);
    }
};

}  // namespace

TEST_F(EntryTest, WritesAndReplacesTheJpeg) {
    WriteFileBytes(bmp, MakeBmp(picture, {.bitCount = 4}));
    WriteFileBytes(jpg, std::vector<uint8_t>(100000, 0x55));  // an older, longer file
    RecordingHost host;
    ASSERT_EQ(Convert(host, jpg), 1);
    EXPECT_TRUE(host.messages.empty());
    std::vector<uint8_t> expected;
    EncodePlanes(picture.width, picture.height, picture.Plane(0), picture.Plane(1), picture.Plane(2), host, expected);
    EXPECT_EQ(ReadFileBytes(jpg), expected);
    EXPECT_EQ(NamesIn(folder.Path()), (Names{"20000305.bmp", "20000305.jpg"}));
    EXPECT_EQ(GetBmpSize(LoadedBitmap()).width, 264);  // kept until the next load
}

TEST_F(EntryTest, RefusedBitmapsWriteNothing) {
    const std::vector<uint8_t> old = {1, 2, 3};
    WriteFileBytes(jpg, old);
    struct Case { const char* what; std::vector<uint8_t> bmp; std::vector<JpegMessage> messages; };
    auto oneBit = MakeBmp(SolidPicture(8, 1, 0), {.bitCount = 8, .paletteSize = 2});
    Poke16(oneBit, 28, 1);
    const Case cases[] = {
        {"not a bitmap", std::vector<uint8_t>(50, 'x'), {JpegMessage::BmpNoSignature}},
        {"1 bit per pixel", oneBit, {JpegMessage::BmpColourLayout, JpegMessage::EncodingFailed}},
        {"no bitmap at all", {}, {JpegMessage::BmpUnreadable}},
    };
    for (const Case& c : cases) {
        fs::remove(bmp);
        if (!c.bmp.empty()) WriteFileBytes(bmp, c.bmp);
        RecordingHost host;
        EXPECT_EQ(Convert(host, jpg), 0) << c.what;
        EXPECT_EQ(host.messages, c.messages) << c.what;
        EXPECT_EQ(ReadFileBytes(jpg), old) << c.what;
    }
    EXPECT_EQ(NamesIn(folder.Path()), Names{"20000305.jpg"});
}

// The real writer's failures on full and read-only disks: Cli.FullAndReadOnlyDisksKeepTheOldFiles.
TEST_F(EntryTest, AFailedWriteKeepsTheOlderFileAndLeavesNoPart) {
    WriteFileBytes(bmp, MakeBmp(picture, {.bitCount = 24}));
    const std::vector<uint8_t> old = {9, 9, 9};
    WriteFileBytes(jpg, old);

    RecordingHost failing;
    failing.writer = [](const fs::path&, std::span<const uint8_t>) { return false; };
    EXPECT_EQ(Convert(failing, jpg), 0);
    EXPECT_TRUE(failing.messages.empty());
    EXPECT_EQ(ReadFileBytes(jpg), old);

    // The real writer into a folder that does not exist.
    RecordingHost host;
    EXPECT_EQ(Convert(host, folder / "missing" / "x.jpg"), 0);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(NamesIn(folder.Path()), (Names{"20000305.bmp", "20000305.jpg"}));
}
