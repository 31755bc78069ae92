// The conversion entry with real files: what is written, what is refused,
// and that a failed write never leaves a partial or damaged JPEG.
#include <gtest/gtest.h>

#include "jpeg/encoder.h"
#include "test_support.h"

#if defined(__linux__)
#include <sys/mount.h>
#endif

using namespace jpeg;
using namespace jpegtest;

namespace {

struct EntryTest : ::testing::Test {
    TempFolder folder;
    std::filesystem::path bmp = folder.path / "20000305.bmp";
    std::filesystem::path jpg = folder.path / "20000305.jpg";
    Picture picture = StrokePicture(264, 160, 9);

    int Convert(RecordingHost& host, const std::filesystem::path& target) {
        return ConvertBmpToJpeg(bmp.u16string().c_str(), target.u16string().c_str(), host);
    }
    std::vector<uint8_t> Expected() {
        RecordingHost host;
        std::vector<uint8_t> out;
        EncodePlanes(picture.width, picture.height, picture.Plane(0), picture.Plane(1), picture.Plane(2), host, out);
        return out;
    }
    bool OnlyFilesAre(std::initializer_list<std::filesystem::path> names) {
        size_t count = 0;
        for (const auto& e : std::filesystem::directory_iterator(jpg.parent_path())) {
            ++count;
            if (std::find(names.begin(), names.end(), e.path()) == names.end()) return false;
        }
        return count == names.size();
    }
};

}  // namespace

TEST_F(EntryTest, WritesAndReplacesTheJpeg) {
    WriteFileBytes(bmp, MakeBmp(picture, {.bitCount = 4}));
    WriteFileBytes(jpg, std::vector<uint8_t>(100000, 0x55));  // an older, longer file
    RecordingHost host;
    ASSERT_EQ(Convert(host, jpg), 1);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(ReadFileBytes(jpg), Expected());
    EXPECT_TRUE(OnlyFilesAre({bmp, jpg}));
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
    };
    for (const Case& c : cases) {
        WriteFileBytes(bmp, c.bmp);
        RecordingHost host;
        EXPECT_EQ(Convert(host, jpg), 0) << c.what;
        EXPECT_EQ(host.messages, c.messages) << c.what;
        EXPECT_EQ(ReadFileBytes(jpg), old) << c.what;
    }
    std::filesystem::remove(bmp);
    RecordingHost host;
    EXPECT_EQ(Convert(host, jpg), 0);
    EXPECT_EQ(host.messages, std::vector{JpegMessage::BmpUnreadable});
    EXPECT_TRUE(OnlyFilesAre({jpg}));
}

TEST_F(EntryTest, AFailedWriteKeepsTheOlderFileAndLeavesNoPart) {
    WriteFileBytes(bmp, MakeBmp(picture, {.bitCount = 24}));
    const std::vector<uint8_t> old = {9, 9, 9};
    WriteFileBytes(jpg, old);

    RecordingHost failing;
    failing.writer = [](const std::filesystem::path&, std::span<const uint8_t>) { return false; };
    EXPECT_EQ(Convert(failing, jpg), 0);
    EXPECT_TRUE(failing.messages.empty());
    EXPECT_EQ(ReadFileBytes(jpg), old);

    // The real writer into a folder that does not exist.
    RecordingHost host;
    EXPECT_EQ(Convert(host, folder.path / "missing" / "x.jpg"), 0);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(OnlyFilesAre({bmp, jpg}));
}

#if defined(__linux__)
// Real file systems that refuse the write: a tiny full tmpfs and a read-only
// bind mount. Needs the right to mount; skipped without it.
TEST_F(EntryTest, FullAndReadOnlyFileSystems) {
    const auto mountPoint = folder.path / "mnt";
    std::filesystem::create_directory(mountPoint);
    if (mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=16k") != 0) GTEST_SKIP() << "cannot mount";
    struct Unmount { std::filesystem::path p; ~Unmount() { umount2(p.c_str(), MNT_DETACH); } } unmount{mountPoint};

    Picture noisy = GradientPicture(400, 300, 5);  // well over 16 KB as JPEG
    WriteFileBytes(bmp, MakeBmp(noisy, {.bitCount = 24}));
    const auto target = mountPoint / "old.jpg";
    const std::vector<uint8_t> old(2000, 0x42);
    WriteFileBytes(target, old);
    RecordingHost host;
    EXPECT_EQ(Convert(host, target), 0);
    EXPECT_EQ(ReadFileBytes(target), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(mountPoint), {}), 1);

    // Read-only: a bind mount of the same folder, remounted read-only.
    const auto readOnly = folder.path / "ro";
    std::filesystem::create_directory(readOnly);
    ASSERT_EQ(mount(mountPoint.c_str(), readOnly.c_str(), nullptr, MS_BIND, nullptr), 0);
    Unmount unmountRo{readOnly};
    ASSERT_EQ(mount(nullptr, readOnly.c_str(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr), 0);
    WriteFileBytes(bmp, MakeBmp(SolidPicture(8, 8, 0xFFFFFF), {.bitCount = 24}));
    EXPECT_EQ(Convert(host, readOnly / "old.jpg"), 0);
    EXPECT_EQ(ReadFileBytes(target), old);
    EXPECT_TRUE(host.messages.empty());
}
#endif
