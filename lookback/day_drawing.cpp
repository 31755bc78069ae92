#include "lookback/day_drawing.h"

#include <algorithm>
#include <array>

#include "diarycore/day_file_store.h"
#include "diarycore/picture_bytes.h"
#include "jpeg/bmp_reader.h"

namespace {

// The reader's messages are for a dialog; a view over many days marks the day instead.
class QuietHost : public jpeg::JpegHost {
public:
    void Report(jpeg::JpegMessage) override {}
};

DrawingRead OpenDrawing(const std::filesystem::path& path, ReadableFile& file) {
    switch (OpenDayPicture(path, file)) {
    case ReadStatus::Ok: return DrawingRead::Read;
    case ReadStatus::Missing: return DrawingRead::Missing;
    default: return DrawingRead::Unreadable;
    }
}

// The page's own picture: its exact size and header, so the rows need no more checks.
bool IsOwnPictureFile(const ReadableFile& file) {
    std::array<std::uint8_t, kPictureHeaderBytes> header;
    return file.Size() == kPictureFileBytes && file.ReadAt(0, header) && IsOwnPictureLayout(header);
}

}  // namespace

DrawingRead CheckDayDrawing(const std::filesystem::path& path) {
    ReadableFile file;
    if (const DrawingRead opened = OpenDrawing(path, file); opened != DrawingRead::Read) return opened;
    if (IsOwnPictureFile(file)) return DrawingRead::Read;
    QuietHost host;
    jpeg::BmpImage image;
    // A 1-bit bitmap loads, but its rows are none the reader extracts.
    return jpeg::LoadBmp(image, std::move(file), host) && image.bitCount != 1 ? DrawingRead::Read
                                                                              : DrawingRead::Unreadable;
}

DrawingRead ReadDayDrawing(const std::filesystem::path& path, DayDrawing& out) {
    ReadableFile file;
    if (const DrawingRead opened = OpenDrawing(path, file); opened != DrawingRead::Read) return opened;
    QuietHost host;
    jpeg::BmpImage image;
    if (!jpeg::LoadBmp(image, std::move(file), host)) return DrawingRead::Unreadable;

    // The rows the page shows, at the bitmap's own width, then their left part.
    const int32_t width = image.width;
    const int32_t rows = std::min<int32_t>(image.height, kPictureHeight);
    const std::size_t planeSize = static_cast<std::size_t>(width) * static_cast<std::size_t>(rows);
    std::vector<std::uint8_t> planes(3 * planeSize);
    const std::span<std::uint8_t> all(planes);
    if (!jpeg::ExtractPlaneRows(image, 0, rows, all.first(planeSize), all.subspan(planeSize, planeSize),
                                all.subspan(2 * planeSize), host))
        return DrawingRead::Unreadable;

    const std::size_t size = static_cast<std::size_t>(kPictureWidth) * kPictureHeight;
    std::vector<std::uint8_t>* out3[3] = {&out.red, &out.green, &out.blue};
    const int32_t columns = std::min<int32_t>(width, kPictureWidth);
    for (int plane = 0; plane < 3; ++plane) {
        std::vector<std::uint8_t>& to = *out3[plane];
        to.assign(size, 255);
        const std::uint8_t* from = planes.data() + plane * planeSize;
        for (int32_t y = 0; y < rows; ++y)
            std::copy_n(from + static_cast<std::size_t>(y) * width, columns, to.begin() + y * kPictureWidth);
    }
    return DrawingRead::Read;
}
