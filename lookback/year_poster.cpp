#include "lookback/year_poster.h"

#include <algorithm>

#include "diarycore/calendar.h"
#include "diarycore/picture_bytes.h"
#include "lookback/day_drawing.h"

int PosterLayout::CellX(int n) const { return kPosterGap + n % columns * (kPictureWidth + kPosterGap); }

int PosterLayout::CellY(int n) const { return kPosterGap + n / columns * (kPictureHeight + kPosterGap); }

PosterLayout LayOutPoster(int cells, int columns) {
    PosterLayout layout;
    layout.columns = std::clamp(columns, 1, kMaxPosterColumns);
    layout.rows = (cells + layout.columns - 1) / layout.columns;
    layout.width = layout.columns * (kPictureWidth + kPosterGap) + kPosterGap;
    layout.height = layout.rows * (kPictureHeight + kPosterGap) + kPosterGap;
    return layout;
}

namespace {

// Cell n of each plane from the drawing's planes, or white for none.
void PutCell(YearPoster& poster, int n, const DayDrawing* drawing) {
    const PosterLayout& layout = poster.layout;
    std::vector<std::uint8_t>* planes[3] = {&poster.red, &poster.green, &poster.blue};
    const std::vector<std::uint8_t>* from[3] = {};
    if (drawing) from[0] = &drawing->red, from[1] = &drawing->green, from[2] = &drawing->blue;
    const std::size_t top = static_cast<std::size_t>(layout.CellY(n)) * layout.width + layout.CellX(n);
    for (int plane = 0; plane < 3; ++plane) {
        std::uint8_t* to = planes[plane]->data() + top;
        for (int y = 0; y < kPictureHeight; ++y, to += layout.width) {
            if (drawing)
                std::copy_n(from[plane]->data() + y * kPictureWidth, kPictureWidth, to);
            else
                std::fill_n(to, kPictureWidth, std::uint8_t{255});
        }
    }
}

}  // namespace

YearPoster MakeYearPoster(const std::filesystem::path& folder, const DayFileIndex& index, std::int32_t year,
                          int columns) {
    const int days = DaysInMonth(year, 2) == 29 ? 366 : 365;
    YearPoster poster;
    poster.layout = LayOutPoster(days, columns);
    const std::size_t size = static_cast<std::size_t>(poster.layout.width) * poster.layout.height;
    for (auto* plane : {&poster.red, &poster.green, &poster.blue}) plane->assign(size, kPosterGround);

    DayKey day{year, 1, 1, WeekdayOfDate(year, 1, 1)};
    DayDrawing drawing;
    for (int n = 0; n < days; ++n, NextDay(day)) {
        const std::optional<std::u16string> name = index.ListedDayFile(DayFileName(day, u"bmp"));
        const DrawingRead read = name ? ReadDayDrawing(folder / *name, drawing) : DrawingRead::Missing;
        if (read == DrawingRead::Unreadable) poster.unreadable.push_back(folder / *name);
        poster.drawings += read == DrawingRead::Read ? 1 : 0;
        PutCell(poster, n, read == DrawingRead::Read ? &drawing : nullptr);
    }
    return poster;
}
