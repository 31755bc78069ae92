// Looking back over a diary folder: a year's marks and figures across the turn of the
// year and a leap day, files that cannot be read as marks, the month's and the same
// date's days, and the poster of a year's drawings.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "diarycore/picture_bytes.h"
#include "diarycore/record.h"
#include "lookback/day_lists.h"
#include "lookback/look_colours.h"
#include "lookback/year_of_pages.h"
#include "lookback/year_poster.h"
#include "support/scratch_files.h"
#include "support/test_pictures.h"

namespace fs = std::filesystem;

namespace {

const Bytes kDrawing = jpegtest::MakeBmp(jpegtest::StrokePicture(264, 160, 3), {.bitCount = 4});
const jpegtest::Picture kPhoto = jpegtest::GradientPicture(300, 200, 5);

// A diary of three runs: 28 December 2023 to 3 January 2024, 27 February to 1 March 2024
// over the leap day, and 30 December 2024 to 1 January 2025.
class Diary : public ::testing::Test {
protected:
    void SetUp() override {
        for (const std::int32_t first : {20231228, 20240227, 20241230}) {
            const int length = first == 20231228 ? 7 : first == 20240227 ? 4 : 3;
            DayKey day = DayKeyOfNumber(first);
            for (int n = 0; n < length; ++n, NextDay(day)) Record(DayNumberOf(day), n % 6, n % 5 + 1);
        }
        WriteFileBytes(folder_ / "20240101.bmp", kDrawing);
        WriteFileText(folder_ / "20240102.dbt", "PK no diary record");  // damaged
        WriteFileText(folder_ / "20240103.bmp", "\xFF\xD8\xFF a JPEG named as a drawing");
        WriteFileBytes(folder_ / "20240227.bmp", jpegtest::MakeBmp(kPhoto, {}));  // a photograph: shown, no mark
        fs::remove(folder_ / "20240228.dbt");
        WriteFileBytes(folder_ / "20240228.DBT", SerializeRecord({3, 4, 0, {}, u"\r\n  Leap eve\r\nmore"}).bytes);
        WriteFileBytes(folder_ / "20240229.dbt", SerializeRecord({9, 9, 0, {}, u"out of range"}).bytes);
        fs::create_directories(folder_ / "20240301.bmp");  // a folder: no picture
        ASSERT_TRUE(index_.List(folder_.Path()));
    }
    void Record(std::int32_t day, int mood, int weather) {
        const DayRecord record{static_cast<std::uint8_t>(weather),
                               static_cast<std::uint8_t>(mood),
                               0,
                               {},
                               u"Day " + std::u16string(1, static_cast<char16_t>(u'0' + day % 10))};
        WriteFileBytes(folder_ / (std::to_string(day) + ".dbt"), SerializeRecord(record).bytes);
    }

    ScratchFolder folder_;
    DayFileIndex index_;
};

TEST_F(Diary, TheYearsMarksAndFiguresAcrossTheTurnOfTheYear) {
    const YearOfPages year = ReadYearOfPages(folder_.Path(), index_, 2024);
    EXPECT_EQ(year.pages, 9);
    EXPECT_EQ(year.unreadableDays, 3) << "the damaged record, the JPEG and the folder";
    EXPECT_EQ(year.At(1, 1), (DayMark{true, false, 4, 5}));
    EXPECT_EQ(year.At(1, 2), (DayMark{true, true, 0, 0}));
    EXPECT_EQ(year.At(1, 3), (DayMark{true, true, 0, 2}));
    EXPECT_EQ(year.At(2, 27), (DayMark{true, false, 0, 1}));
    EXPECT_EQ(year.At(2, 28), (DayMark{true, false, 4, 3})) << "a record named in capitals";
    EXPECT_EQ(year.At(2, 29), (DayMark{true, false, 0, 0})) << "out of range shows as the page shows it";
    EXPECT_EQ(year.At(3, 1), (DayMark{true, true, 3, 4}));
    EXPECT_EQ(year.At(12, 31), (DayMark{true, false, 1, 2}));
    EXPECT_FALSE(year.At(1, 4).page);
    YearOfPages shown = year;
    PutDayMark(shown, 1, 2, {true, false, 5, 1});  // the damaged day on show, typed into
    PutDayMark(shown, 1, 4, {true, false, 0, 0});  // a new page
    EXPECT_EQ(shown.pages, 10);
    EXPECT_EQ(shown.unreadableDays, 2);
    EXPECT_EQ(shown.At(1, 2).mood, 5);
    EXPECT_FALSE(ReadYearOfPages(folder_.Path(), index_, 2023).At(2, 29).page);
    EXPECT_EQ(ReadYearOfPages(folder_.Path(), index_, 2022).pages, 0);

    EXPECT_EQ(DayColour(year.At(2, 28), ColourBy::Mood).name, IDS_MOOD_MAD);
    EXPECT_EQ(DayColour(year.At(2, 28), ColourBy::Weather).name, IDS_WEATHER_RAIN);
    EXPECT_EQ(DayColour(year.At(1, 4), ColourBy::Weather).name, IDS_LOOK_NO_PAGE);

    const DaysWithPages days = index_.Days();
    struct Case {
        std::int32_t year, today;
        YearFigures figures;
    };
    const Case cases[] = {
        {2024, 20240301, {9, 4, 7}},                               // today has its page
        {2024, 20240302, {9, 4, 7}},                               // not yet: the run that ended yesterday goes on
        {2024, 20240303, {9, 0, 7}},                               // a day missed
        {2023, 20240302, {4, 4, 7}},                               // a past year: the run at its end, up to that day
        {2024, 20250601, {9, 2, 7}}, {2025, 20250102, {1, 3, 3}},  // over the new year, begun in the year before
        {2025, 20240302, {1, 0, 3}},                               // a year still to come has no current run
        {2022, 20240302, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CountYearFigures(days, c.year, DayKeyOfNumber(c.today)), c.figures) << c.year << " on " << c.today;
    }
}

TEST_F(Diary, TheMonthsDaysAndTheSameDateInEarlierYears) {
    const std::vector<DayGlance> month = ReadMonthPages(folder_.Path(), index_, 2024, 2);
    ASSERT_EQ(month.size(), 3u);
    EXPECT_EQ(month[0].day, 20240227);
    EXPECT_EQ(month[0].picture, folder_ / "20240227.bmp");
    EXPECT_EQ(month[1].firstWords, u"Leap eve");
    EXPECT_EQ(month[1].picture, fs::path());
    EXPECT_EQ(month[2].day, 20240229);

    Record(20000229, 2, 2);
    WriteFileBytes(folder_ / "20260101.dbt", SerializeRecord({0, 0, 0, {}, std::u16string(60, u'x')}).bytes);
    ASSERT_TRUE(index_.List(folder_.Path()));
    const auto days = [&](const DayKey& day) {
        std::vector<std::int32_t> found;
        for (const DayGlance& glance : ReadSameDayInEarlierYears(folder_.Path(), index_, day))
            found.push_back(glance.day);
        return found;
    };
    EXPECT_EQ(days(DayKeyOfNumber(20280229)), (std::vector<std::int32_t>{20240229, 20000229}));
    EXPECT_EQ(days(DayKeyOfNumber(20270101)), (std::vector<std::int32_t>{20260101, 20250101, 20240101}));
    EXPECT_TRUE(days(DayKeyOfNumber(20240101)).empty());
    const DayGlance longLine = ReadSameDayInEarlierYears(folder_.Path(), index_, DayKeyOfNumber(20270101))[0];
    EXPECT_EQ(longLine.firstWords, std::u16string(kFirstWordsWidth - 1, u'x') + u"…");
}

// Cells in date order, row by row; a drawing at its size, the top left of a photograph,
// a small picture in white, white days, grey gaps; the JPEG named like a drawing and the
// folder are left white and named.
TEST_F(Diary, ThePosterHasACellForEveryDayOfTheYear) {
    const jpegtest::Picture small = jpegtest::StrokePicture(100, 50, 7);
    WriteFileBytes(folder_ / "20241230.bmp", jpegtest::MakeBmp(small, {.bitCount = 8, .topDown = true}));
    ASSERT_TRUE(index_.List(folder_.Path()));
    EXPECT_EQ(LayOutPoster(366, kPosterColumns).rows, 19);
    const YearPoster poster = MakeYearPoster(folder_.Path(), index_, 2024, 30);
    const PosterLayout& layout = poster.layout;
    EXPECT_EQ(layout.rows, 13);
    EXPECT_EQ(layout.width, 30 * 268 + 4);
    EXPECT_EQ(layout.height, 13 * 164 + 4);
    EXPECT_EQ(poster.drawings, 3);
    EXPECT_EQ(poster.unreadable, (std::vector<fs::path>{folder_ / "20240103.bmp", folder_ / "20240301.bmp"}));

    const auto at = [&](const std::vector<std::uint8_t>& plane, int cell, int x, int y) {
        return plane[static_cast<std::size_t>(layout.CellY(cell) + y) * layout.width + layout.CellX(cell) + x];
    };
    const jpegtest::Picture drawn = jpegtest::StrokePicture(264, 160, 3);
    const std::vector<std::uint8_t> drawnRed = drawn.Plane(0), photoBlue = kPhoto.Plane(2);
    for (const auto& [x, y] : {std::pair{0, 0}, {263, 159}, {100, 40}}) {
        EXPECT_EQ(at(poster.red, 0, x, y), drawnRed[y * 264 + x]) << "1 January";
        EXPECT_EQ(at(poster.blue, 31 + 26, x, y), photoBlue[y * kPhoto.width + x]) << "27 February";
        EXPECT_EQ(at(poster.green, 2, x, y), 255) << "the JPEG";
    }
    EXPECT_EQ(at(poster.red, 364, 99, 49), small.Plane(0)[49 * 100 + 99]);
    EXPECT_EQ(at(poster.red, 364, 10, 50), 255);
    EXPECT_EQ(at(poster.blue, 364, 100, 10), 255);
    EXPECT_EQ(layout.CellY(30), layout.CellY(0) + 164) << "the 31st day begins the second row";
    EXPECT_EQ(at(poster.red, 0, -1, 0), kPosterGround);
    EXPECT_EQ(at(poster.red, 0, 264, 159), kPosterGround);
    EXPECT_EQ(at(poster.red, 365, 0, 160), kPosterGround);
    EXPECT_EQ(at(poster.red, 366, 0, 0), kPosterGround) << "after the last day";
}

}  // namespace

namespace {

// Each legend's colours stay apart as people with no red, no green or no blue cones see
// them: the simulations of Machado, Oliveira and Fernandes (2009) at full severity, on
// linear light, and the distance in CIE L*a*b* (CIE76) above 15, a difference plainly seen.
TEST(LookColours, EachLegendStaysApartForColourBlindEyes) {
    using Matrix = std::array<std::array<double, 3>, 3>;
    const Matrix kSimulations[] = {
        {{{0.152286, 1.052583, -0.204868}, {0.114503, 0.786281, 0.099216}, {-0.003882, -0.048116, 1.051998}}},
        {{{0.367322, 0.860646, -0.227968}, {0.280085, 0.672501, 0.047413}, {-0.011820, 0.042940, 0.968881}}},
        {{{1.255528, -0.076749, -0.178779}, {-0.078411, 0.930809, 0.147602}, {0.004733, 0.691367, 0.303900}}},
    };
    const auto linear = [](std::uint8_t c) {
        const double v = c / 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    const auto lab = [](const Matrix& eye, const std::array<double, 3>& rgb) {
        std::array<double, 3> seen{};
        for (int i = 0; i < 3; ++i)
            seen[i] = std::clamp(eye[i][0] * rgb[0] + eye[i][1] * rgb[1] + eye[i][2] * rgb[2], 0.0, 1.0);
        const double x = (0.4124 * seen[0] + 0.3576 * seen[1] + 0.1805 * seen[2]) / 0.95047;
        const double y = 0.2126 * seen[0] + 0.7152 * seen[1] + 0.0722 * seen[2];
        const double z = (0.0193 * seen[0] + 0.1192 * seen[1] + 0.9505 * seen[2]) / 1.08883;
        const auto f = [](double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116; };
        return std::array<double, 3>{116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
    };
    for (const ColourBy by : {ColourBy::Mood, ColourBy::Weather}) {
        const std::array<LookColour, 7> legend = LegendColours(by);
        for (const Matrix& eye : kSimulations) {
            for (std::size_t a = 0; a < legend.size(); ++a) {
                for (std::size_t b = a + 1; b < legend.size(); ++b) {
                    const auto one = lab(eye, {linear(legend[a].red), linear(legend[a].green), linear(legend[a].blue)});
                    const auto two = lab(eye, {linear(legend[b].red), linear(legend[b].green), linear(legend[b].blue)});
                    EXPECT_GT(std::hypot(one[0] - two[0], one[1] - two[1], one[2] - two[2]), 15.0)
                        << legend[a].name << " and " << legend[b].name;
                }
            }
        }
    }
}

}  // namespace
