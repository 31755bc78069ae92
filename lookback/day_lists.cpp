#include "lookback/day_lists.h"

#include "diarycore/pages_in_folder.h"

std::vector<DayGlance> ReadMonthPages(const std::filesystem::path& folder, const DayFileIndex& index, std::int32_t year,
                                      std::int32_t month) {
    std::vector<DayGlance> days;
    const auto length = static_cast<std::int32_t>(DaysInMonth(year, month));
    for (std::int32_t day = 1; day <= length; ++day) {
        DayGlance glance = GlanceAtDay(folder, index, year * 10000 + month * 100 + day, true);
        if (glance.mark.page) days.push_back(std::move(glance));
    }
    return days;
}

std::vector<DayGlance> ReadSameDayInEarlierYears(const std::filesystem::path& folder, const DayFileIndex& index,
                                                 const DayKey& day) {
    std::vector<DayGlance> days;
    for (std::int32_t year = day.year - 1; year >= 0; --year) {
        if (static_cast<std::uint32_t>(day.day) > DaysInMonth(year, day.month)) continue;
        DayGlance glance = GlanceAtDay(folder, index, year * 10000 + day.month * 100 + day.day, true);
        if (glance.mark.page) days.push_back(std::move(glance));
    }
    return days;
}
