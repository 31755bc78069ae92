// day-file: makes and reads day files for the two-computer scripts, as the other computer
// or a look at the disk would.
//   day-file record FILE TEXT [WEATHER]      writes a record ("\n" in TEXT is a line break)
//   day-file text FILE                       prints the record's text, a line each
//   day-file paint FILE X0 Y0 X1 Y1 COLOUR   colours a rectangle of the picture (white when none)
//   day-file count FILE X0 Y0 X1 Y1 COLOUR   prints how many of its pixels have the colour
// Exit code 1 when a file cannot be read or written, 2 for a wrong command line.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "diarycore/picture_bytes.h"
#include "diarycore/record.h"
#include "platform/file_read.h"
#include "platform/file_write.h"
#include "platform/utf8.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

int Write(const std::filesystem::path& file, const Bytes& bytes) {
    return WriteFileSafely(file, bytes, Durability::Atomic) == WriteStatus::Ok ? 0 : 1;
}

Bytes PixelsOf(const std::filesystem::path& file) {
    Bytes bytes;
    if (ReadFileBytes(file, bytes) != ReadStatus::Ok || bytes.size() != static_cast<std::size_t>(kPictureFileBytes))
        return Bytes(kPicturePixelBytes, 0xFF);
    return Bytes(bytes.begin() + kPictureHeaderBytes, bytes.end());
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 2 ? argv[1] : "";
    const std::filesystem::path file = argc > 2 ? argv[2] : "";
    if (command == "record" && argc >= 4) {
        DayRecord record;
        std::string text = argv[3];
        for (std::size_t at; (at = text.find("\\n")) != std::string::npos;) text.replace(at, 2, "\r\n");
        record.text = DecodeUtf8(text);
        record.weather = static_cast<std::uint8_t>(argc > 4 ? std::atoi(argv[4]) : 0);
        return Write(file, SerializeRecord(record).bytes);
    }
    if (command == "text") {
        Bytes bytes;
        DayRecord record;
        if (ReadFileBytes(file, bytes) != ReadStatus::Ok || ParseRecord(bytes, record) != RecordStatus::Ok) return 1;
        std::string text = EncodeUtf8(record.text);
        for (std::size_t at; (at = text.find('\r')) != std::string::npos;) text.erase(at, 1);
        std::printf("%s\n", text.c_str());
        return 0;
    }
    if ((command == "paint" || command == "count") && argc == 8) {
        const int x0 = std::atoi(argv[3]), y0 = std::atoi(argv[4]), x1 = std::atoi(argv[5]), y1 = std::atoi(argv[6]);
        const auto colour = static_cast<std::uint8_t>(std::atoi(argv[7]));
        Bytes pixels = PixelsOf(file);
        int count = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) {
                if (command == "paint")
                    SetPicturePixel(pixels, x, y, colour);
                else
                    count += PicturePixel(pixels, x, y) == colour;
            }
        if (command == "paint") return Write(file, PictureFileBytes(pixels));
        std::printf("%d\n", count);
        return 0;
    }
    std::fprintf(stderr, "usage: day-file record|text|paint|count FILE ...\n");
    return 2;
}
