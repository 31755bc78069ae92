// For the tests of every part: scratch folders and whole files; for the encoder's, a host
// that records messages, generated pictures and a BMP writer.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "jpeg/encoder.h"
#include "jpeg/jpeg_host.h"

using Bytes = std::vector<std::uint8_t>;
inline Bytes BytesOf(std::string_view text) { return {text.begin(), text.end()}; }

// A new empty folder under the system's temporary folder, removed with its contents.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(const std::filesystem::path& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// The whole file; empty when it cannot be read.
std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path);
std::string ReadFileText(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);
void WriteFileText(const std::filesystem::path& path, std::string_view text);
// The names of what a folder holds, sorted.
std::vector<std::string> NamesIn(const std::filesystem::path& folder);
// A host path a wrapper script named in the variable (reached through Z: under Wine), if any.
std::optional<std::filesystem::path> HostPath(const char* variable);
// Writes `file` until the disk takes no more.
void FillDisk(const std::filesystem::path& file);

namespace jpegtest {

// Records the messages instead of showing them; writes files unless a test replaces the writer.
struct RecordingHost : jpeg::JpegHost {
    std::vector<jpeg::JpegMessage> messages;
    std::function<bool(const std::filesystem::path&, std::span<const uint8_t>)> writer;

    void ShowMessage(const jpeg::MessageInfo& m) override { messages.push_back(m.id); }
    bool ReplaceFile(const std::filesystem::path& p, std::span<const uint8_t> b) override {
        return writer ? writer(p, b) : JpegHost::ReplaceFile(p, b);
    }
};

// An RGB picture, row 0 at the top, 3 bytes per pixel.
struct Picture {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> rgb;

    void Set(int32_t x, int32_t y, uint32_t colour);  // 0xRRGGBB
    std::vector<uint8_t> Plane(int channel) const;
};

Picture SolidPicture(int32_t width, int32_t height, uint32_t colour);
// Thick strokes in the 16 day-picture colours on white, like a drawn page.
Picture StrokePicture(int32_t width, int32_t height, uint32_t seed);
// A smooth colour gradient with a little noise, like a photograph.
Picture GradientPicture(int32_t width, int32_t height, uint32_t seed);

struct BmpLayout {
    int bitCount = 24;  // 4, 8, 16, 24 or 32
    bool topDown = false;
    int paletteSize = 0;   // entries written for 4 and 8 bits (0: 2^bitCount)
    uint32_t clrUsed = 0;  // biClrUsed as written
};

// The picture as a BMP; indexed layouts take the 16 day-picture colours (black beyond).
std::vector<uint8_t> MakeBmp(const Picture& picture, const BmpLayout& layout);

// The JPEG of a picture's planes, or of BMP bytes through the reader; empty when refused.
std::vector<uint8_t> EncodePicture(const Picture& picture);
std::vector<uint8_t> EncodeBmpBytes(std::span<const uint8_t> file, RecordingHost& host);

// Little-endian patching of a header field in a BMP made by MakeBmp.
void Poke32(std::vector<uint8_t>& bytes, size_t at, uint32_t value);
void Poke16(std::vector<uint8_t>& bytes, size_t at, uint16_t value);

}  // namespace jpegtest
