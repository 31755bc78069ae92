#include "lookback/year_of_pages.h"

#include <algorithm>
#include <future>
#include <system_error>
#include <thread>
#include <vector>

namespace {

constexpr unsigned kYearThreads = 4;

}  // namespace

YearOfPages ReadYearOfPages(const std::filesystem::path& folder, const DayFileIndex& index, std::int32_t year) {
    YearOfPages grid;
    grid.year = year;
    // Under Wine most of a file's opening is the program's own work, not the server's, so
    // the months are read on a few threads at once: each writes its own days only.
    const auto readMonths = [&](int first, int step) {
        for (std::int32_t month = first; month <= 12; month += step) {
            const auto length = static_cast<std::int32_t>(DaysInMonth(year, month));
            for (std::int32_t day = 1; day <= length; ++day)
                grid.days[(month - 1) * 31 + day - 1] =
                    GlanceAtDay(folder, index, year * 10000 + month * 100 + day, false).mark;
        }
    };
    const int threads = static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, kYearThreads));
    // A future of std::async waits for its thread when it goes, also when this one throws.
    std::vector<std::future<void>> others;
    for (int part = 1; part < threads; ++part) {
        try {
            others.push_back(std::async(std::launch::async, readMonths, 1 + part, threads));
        } catch (const std::system_error&) {
            readMonths(1 + part, threads);  // no thread to be had: those months here
        }
    }
    readMonths(1, threads);
    for (std::future<void>& other : others) other.get();
    for (const DayMark& mark : grid.days) {
        grid.pages += mark.page ? 1 : 0;
        grid.unreadableDays += mark.unreadable ? 1 : 0;
    }
    return grid;
}

void PutDayMark(YearOfPages& year, std::int32_t month, std::int32_t day, const DayMark& mark) {
    DayMark& kept = year.days[(month - 1) * 31 + day - 1];
    year.pages += (mark.page ? 1 : 0) - (kept.page ? 1 : 0);
    year.unreadableDays += (mark.unreadable ? 1 : 0) - (kept.unreadable ? 1 : 0);
    kept = mark;
}

namespace {

std::int64_t NumberOfDay(std::int32_t yyyymmdd) {
    return DayNumber(yyyymmdd / 10000, yyyymmdd / 100 % 100, yyyymmdd % 100);
}

}  // namespace

YearFigures CountYearFigures(const DaysWithPages& days, std::int32_t year, const DayKey& today) {
    YearFigures figures;
    const std::int64_t first = DayNumber(year, 1, 1), last = DayNumber(year, 12, 31);
    const std::int64_t todayNumber = DayNumber(today.year, today.month, today.day);
    // The day the current run must reach; none for a year still to come.
    std::int64_t runEnd = year < today.year ? last : todayNumber;
    if (year == today.year && !days.contains(DayNumberOf(today))) --runEnd;

    // Day numbers in order: the set is ordered by YYYYMMDD, which is the calendar's order.
    std::vector<std::int64_t> numbers;
    numbers.reserve(days.size());
    for (const std::int32_t day : days) numbers.push_back(NumberOfDay(day));
    for (std::size_t start = 0; start < numbers.size();) {
        std::size_t end = start + 1;
        while (end < numbers.size() && numbers[end] == numbers[end - 1] + 1) ++end;
        const std::int64_t runFirst = numbers[start], runLast = numbers[end - 1];
        if (runLast >= first && runFirst <= last) {
            figures.longestStreak = std::max(figures.longestStreak, static_cast<int>(runLast - runFirst + 1));
            figures.pages += static_cast<int>(std::min(runLast, last) - std::max(runFirst, first) + 1);
        }
        if (year <= today.year && runFirst <= runEnd && runEnd <= runLast)
            figures.currentStreak = static_cast<int>(runEnd - runFirst + 1);
        start = end;
    }
    return figures;
}
