// The book's page as the program prints it, drawn with GDI into a bitmap at a printer's
// resolution: the drawing in whole blocks of dots, never smoothed, and the title set.
#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "book/win32/gdi_book.h"
#include "book/paper.h"
#include "platform/win32/window_object.h"
#include "diarycore/picture_bytes.h"

namespace fs = std::filesystem;

TEST(GdiBook, DrawsThePageAtThePrintersDotsInWholeBlocks) {
    const fs::path folder = fs::temp_directory_path() / ("gdi-book-" + std::to_string(GetCurrentProcessId()));
    fs::create_directories(folder);
    // A checkerboard of the page's red and blue: any smoothing shows as other colours.
    std::vector<std::uint8_t> pixels(kPicturePixelBytes);
    for (int y = 0; y < kPictureHeight; ++y)
        for (int x = 0; x < kPictureWidth; ++x) SetPicturePixel(pixels, x, y, (x + y) % 2 ? 12 : 9);
    const std::vector<std::uint8_t> file = PictureFileBytes(pixels);
    std::ofstream(folder / "20261206.bmp", std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()), file.size());
    BookDay day;
    day.key = {2026, 12, 6, 0};
    day.hasRecord = true;
    day.record.text = u"日曜日の日記";
    day.picture = folder / "20261206.bmp";

    GdiTextMeasure measure;
    const PaperSize a4 = SizeOfPaper(Paper::A4);
    const Book book = LayOutBook({day}, a4, false, measure, ProgramLanguage::Japanese);
    ASSERT_EQ(book.pages.size(), 1u);
    ASSERT_EQ(book.pages[0].pictures.size(), 1u);

    // 288 dots an inch, where a picture pixel of the A4 layout is five dots.
    const double dotsPerMm = 288 / 25.4;
    const int width = static_cast<int>(a4.width * dotsPerMm), height = static_cast<int>(a4.height * dotsPerMm);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const OwnedDc memory(CreateCompatibleDC(nullptr));
    const HDC dc = memory.get();
    const OwnedBitmap bitmap(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    ASSERT_TRUE(bitmap && bits);
    const SelectedObject selected(dc, bitmap.get());
    RECT all = {0, 0, width, height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawBookPage(dc, book.pages[0], {day}, {}, {dotsPerMm, dotsPerMm, 0, 0});
    GdiFlush();
    const auto colour = [&](int x, int y) { return static_cast<const std::uint32_t*>(bits)[y * width + x] & 0xFFFFFF; };

    const PlacedPicture& picture = book.pages[0].pictures[0];
    const int left = static_cast<int>(std::lround(picture.left * dotsPerMm));
    const int top = static_cast<int>(std::lround(picture.top * dotsPerMm));
    EXPECT_EQ(std::lround(picture.block * dotsPerMm), 5);
    int wrong = 0;
    for (int y = top; y < top + kPictureHeight * 5; ++y)
        for (int x = left; x < left + kPictureWidth * 5; ++x)
            wrong += colour(x, y) != (((x - left) / 5 + (y - top) / 5) % 2 ? 0x0000FFu : 0xFF0000u);
    EXPECT_EQ(wrong, 0) << "picture pixels not whole blocks of their colour";

    // The title and the text are set: dark dots where their lines stand.
    for (const PlacedText& text : book.pages[0].texts) {
        if (text.text != u"日曜日の日記" && !text.text.starts_with(u"2026年12月6日")) continue;
        const int y0 = static_cast<int>(text.top * dotsPerMm), x0 = static_cast<int>(text.left * dotsPerMm);
        int dark = 0;
        for (int y = y0; y < y0 + static_cast<int>(text.fontSize * 25.4 / 72 * dotsPerMm); ++y)
            for (int x = x0; x < x0 + static_cast<int>(text.width * dotsPerMm) && x < width; ++x)
                dark += colour(x, y) < 0x404040;
        EXPECT_GT(dark, 50) << "no ink for a line of " << text.text.size() << " units";
    }
    fs::remove_all(folder);
}
