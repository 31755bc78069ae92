#include "diarycore/picture_bytes.h"

#include <algorithm>

namespace {

void PutLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::uint32_t LittleEndianAt(std::span<const std::uint8_t> bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = value << 8 | bytes[at + static_cast<std::size_t>(i)];
    return value;
}

std::size_t ByteOf(int x, int y) {
    return static_cast<std::size_t>(kPictureHeight - 1 - y) * kPictureRowBytes + static_cast<std::size_t>(x / 2);
}

}  // namespace

std::uint8_t PicturePixel(std::span<const std::uint8_t> pixels, int x, int y) {
    std::uint8_t pair = pixels[ByteOf(x, y)];
    return x % 2 == 0 ? pair >> 4 : pair & 0x0F;
}

void SetPicturePixel(std::span<std::uint8_t> pixels, int x, int y, std::uint8_t index) {
    std::uint8_t& pair = pixels[ByteOf(x, y)];
    pair = x % 2 == 0 ? static_cast<std::uint8_t>((pair & 0x0F) | (index << 4))
                      : static_cast<std::uint8_t>((pair & 0xF0) | (index & 0x0F));
}

bool IsBlankPicture(std::span<const std::uint8_t> pixels) {
    return pixels.size() == kPicturePixelBytes &&
           std::all_of(pixels.begin(), pixels.end(), [](std::uint8_t pair) { return pair == 0xFF; });
}

bool IsOwnPictureLayout(std::span<const std::uint8_t> header) {
    if (header.size() < kPictureHeaderBytes || header[0] != 'B' || header[1] != 'M') return false;
    // The resolution and colour-count fields vary between writers and change no pixel.
    const std::uint32_t coloursUsed = LittleEndianAt(header, 46, 4);
    if (LittleEndianAt(header, 10, 4) != kPictureHeaderBytes || LittleEndianAt(header, 14, 4) != 40 ||
        LittleEndianAt(header, 18, 4) != kPictureWidth || LittleEndianAt(header, 22, 4) != kPictureHeight ||
        LittleEndianAt(header, 26, 2) != 1 || LittleEndianAt(header, 28, 2) != 4 ||
        LittleEndianAt(header, 30, 4) != 0 || (coloursUsed != 0 && coloursUsed != kPalette.size())) {
        return false;
    }
    for (std::size_t i = 0; i < kPalette.size(); ++i) {
        const std::uint8_t* entry = &header[54 + 4 * i];
        if (entry[0] != kPalette[i].blue || entry[1] != kPalette[i].green || entry[2] != kPalette[i].red) return false;
    }
    return true;
}

std::vector<std::uint8_t> PictureFileBytes(std::span<const std::uint8_t> pixels) {
    if (pixels.size() != kPicturePixelBytes) return {};
    std::vector<std::uint8_t> file;
    file.reserve(kPictureFileBytes);
    file.push_back('B');
    file.push_back('M');
    PutLittleEndian(file, kPictureFileBytes, 4);
    PutLittleEndian(file, 0, 4);                    // two reserved words
    PutLittleEndian(file, kPictureHeaderBytes, 4);  // where the pixels start
    PutLittleEndian(file, 40, 4);                   // info header size
    PutLittleEndian(file, kPictureWidth, 4);
    PutLittleEndian(file, kPictureHeight, 4);  // positive: bottom row first
    PutLittleEndian(file, 1, 2);               // planes
    PutLittleEndian(file, 4, 2);               // bits per pixel
    PutLittleEndian(file, 0, 4);               // no compression
    PutLittleEndian(file, kPicturePixelBytes, 4);
    PutLittleEndian(file, 3780, 4);  // 96 dots per inch, in pixels per metre
    PutLittleEndian(file, 3780, 4);
    PutLittleEndian(file, 0, 4);  // colours used: all sixteen
    PutLittleEndian(file, 0, 4);  // important colours: all
    for (const PaletteColour& colour : kPalette) {
        file.push_back(colour.blue);
        file.push_back(colour.green);
        file.push_back(colour.red);
        file.push_back(0);
    }
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}
