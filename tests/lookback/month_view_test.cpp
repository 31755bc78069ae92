// The Month window's layout and moves, and the small drawings of the windows that look back.
#include <gtest/gtest.h>

#include <tuple>

#include "diarycore/picture_bytes.h"
#include "lookback/month_grid.h"
#include "lookback/thumbnail.h"

namespace {

std::tuple<int, int, int, int> Ymdw(const DayKey& day) { return {day.year, day.month, day.day, day.dayOfWeek}; }

}  // namespace

// Weeks in rows from the locale's first weekday: a February that fills four rows exactly
// from Sunday takes five from Monday; a 31-day month from a Saturday takes six.
TEST(MonthGrid, WeeksInRowsFromTheFirstWeekday) {
    struct Case {
        int year, month, firstWeekday, firstColumn, rows, lastRow, lastColumn;
    };
    const Case cases[] = {
        {2026, 2, 0, 0, 4, 3, 6},  // 1 February 2026 is a Sunday
        {2026, 2, 1, 6, 5, 4, 5},
        {2026, 8, 0, 6, 6, 5, 1},  // 1 August 2026 is a Saturday
        {2024, 2, 1, 3, 5, 4, 3},  // a leap February from a Thursday
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.year << "-" << c.month << " from weekday " << c.firstWeekday);
        const MonthGrid grid = LayOutMonth(c.year, c.month, c.firstWeekday);
        EXPECT_EQ(std::tuple(grid.firstColumn, grid.rows), std::tuple(c.firstColumn, c.rows));
        EXPECT_EQ(std::tuple(grid.Row(grid.days), grid.Column(grid.days)), std::tuple(c.lastRow, c.lastColumn));
        EXPECT_EQ(grid.DayAt(0, c.firstColumn), 1);
        EXPECT_EQ(grid.DayAt(c.lastRow, c.lastColumn), grid.days);
        EXPECT_EQ(grid.DayAt(0, c.firstColumn - 1), 0) << "before the 1st";
        EXPECT_EQ(grid.DayAt(c.lastRow, c.lastColumn + 1), 0) << "after the last";
    }
}

// The selection's moves: days across the ends of months and years, and months that keep
// the day where the month has it (else its last day), with the weekday worked out.
TEST(MonthGrid, MovesAcrossMonthsAndYears) {
    EXPECT_EQ(Ymdw(DayAfter({2024, 3, 1, 5}, -1)), std::tuple(2024, 2, 29, 4));
    EXPECT_EQ(Ymdw(DayAfter({2026, 12, 28, 1}, 7)), std::tuple(2027, 1, 4, 1));
    EXPECT_EQ(Ymdw(SameDayInMonth({2024, 1, 31, 3}, 1)), std::tuple(2024, 2, 29, 4));
    EXPECT_EQ(Ymdw(SameDayInMonth({2026, 1, 31, 6}, 1)), std::tuple(2026, 2, 28, 6));
    EXPECT_EQ(Ymdw(SameDayInMonth({2026, 12, 15, 2}, 1)), std::tuple(2027, 1, 15, 5));
    EXPECT_EQ(Ymdw(SameDayInMonth({2026, 1, 10, 6}, -1)), std::tuple(2025, 12, 10, 3));
    EXPECT_EQ(Ymdw(SameDayInMonth({2024, 2, 29, 4}, 12)), std::tuple(2025, 2, 28, 5));
    EXPECT_EQ(Ymdw(SameDayInMonth({1, 1, 5, 5}, -1)), std::tuple(0, 12, 5, 2));
}

// A drawing made small keeps a one-pixel stroke as a lighter line where keeping every
// third pixel would lose it; a plain area keeps its colour exactly. The page's own pixel
// bytes read as their palette's colours, top row first.
TEST(Thumbnail, StrokesStayVisibleAndColoursTrue) {
    std::vector<std::uint8_t> pixels(kPicturePixelBytes, 0xFF);
    for (int y = 0; y < kPictureHeight; ++y) SetPicturePixel(pixels, 100, y, 0);  // black
    for (int x = 0; x < 30; ++x) {
        for (int y = 0; y < 30; ++y) SetPicturePixel(pixels, x, y, 9);  // red, top left
    }
    const DayDrawing drawing = DrawingOfPictureBytes(pixels);
    EXPECT_EQ(std::tuple(drawing.red[0], drawing.green[0], drawing.blue[0]), std::tuple(255, 0, 0));
    EXPECT_EQ(drawing.red[100], 0);
    EXPECT_EQ(drawing.red[kPictureWidth * 159 + 263], 255);

    const std::vector<std::uint32_t> small = ShrinkDrawing(drawing, 88, 53);
    ASSERT_EQ(small.size(), 88u * 53u);
    EXPECT_EQ(small[0], 0xFF0000u);
    EXPECT_EQ(small[33], 0xAAAAAAu) << "the stroke's third of its small pixel";
    EXPECT_EQ(small[34], 0xFFFFFFu);
    EXPECT_EQ(small[88 * 52 + 87], 0xFFFFFFu);
}

// Every size gives exactly its width x height pixels, the bitmap made from them being that
// size: also one larger than the drawing, as a Month cell at 192 DPI asks for, where a
// shorter list would shear the rows and leave a black band. Its pixels repeat the
// drawing's, so a left half red and right half blue keep their edge upright.
TEST(Thumbnail, EverySizeIsFilledWholeAndUpright) {
    std::vector<std::uint8_t> pixels(kPicturePixelBytes, 0);
    for (int y = 0; y < kPictureHeight; ++y) {
        for (int x = 0; x < kPictureWidth; ++x) SetPicturePixel(pixels, x, y, x < kPictureWidth / 2 ? 9 : 12);
    }
    const DayDrawing drawing = DrawingOfPictureBytes(pixels);
    constexpr std::uint32_t red = 0xFF0000, blue = 0x0000FF;  // the palette's 9 and 12
    const std::tuple<int, int> sizes[] = {{1, 1}, {88, 53}, {264, 160}, {272, 164}, {528, 320}, {700, 4}};
    for (const auto& [width, height] : sizes) {
        SCOPED_TRACE(testing::Message() << width << " x " << height);
        const std::vector<std::uint32_t> small = ShrinkDrawing(drawing, width, height);
        ASSERT_EQ(small.size(), static_cast<std::size_t>(width) * height);
        if (width < 2) continue;
        int wrong = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                wrong += small[static_cast<std::size_t>(y) * width + x] != (2 * x < width ? red : blue);
            }
        }
        EXPECT_EQ(wrong, 0);
    }
}
