#include "diarycore/calendar.h"

#include <cstdio>

std::uint32_t DaysInMonth(std::int32_t year, std::int32_t month) {
    switch (month) {
    case 1:
    case 3:
    case 5:
    case 7:
    case 8:
    case 10:
    case 12: return 31;
    case 4:
    case 6:
    case 9:
    case 11: return 30;
    case 2: return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0 ? 29 : 28;
    default: return 0xFFFFFFFFu;
    }
}

// Division rounding down, where C++ rounds toward zero: -1 / 4 is -1 years' leap days.
static std::int64_t FloorDivide(std::int64_t number, std::int64_t divisor) {
    const std::int64_t quotient = number / divisor;
    return quotient * divisor > number ? quotient - 1 : quotient;
}

std::int64_t DayNumber(std::int32_t year, std::int32_t month, std::int32_t day) {
    // Counted from March, so that the leap day is the last day of its year.
    std::int64_t y = year, m = month;
    if (m <= 2) {
        y -= 1;
        m += 12;
    }
    return 365 * y + FloorDivide(y, 4) - FloorDivide(y, 100) + FloorDivide(y, 400) + (153 * (m - 3) + 2) / 5 + day - 1;
}

std::int32_t WeekdayOfDate(std::int32_t year, std::int32_t month, std::int32_t day) {
    // 1 March of the year 0 was a Wednesday; days before it count back from there.
    const std::int64_t sinceSunday = DayNumber(year, month, day) + 3;
    return static_cast<std::int32_t>((sinceSunday % 7 + 7) % 7);
}

std::int32_t StepWeekday(std::int32_t dayOfWeek, std::int32_t step) {
    std::int32_t sum = dayOfWeek + step;
    if (sum == -1) return 6;
    if (sum == 7) return 0;
    return sum;
}

std::u16string_view WeekdayName(std::int32_t dayOfWeek) {
    constexpr std::u16string_view kNames[7] = {u" ", u" ", u" ", u" ", u" ", u" ", u" "};
    return dayOfWeek >= 0 && dayOfWeek < 7 ? kNames[dayOfWeek] : u"\uFF1F";
}

// The day is compared as an unsigned number against the month length, which is what
// lets the all-ones length of a bad month never end it.
static bool IsPastMonthEnd(const DayKey& key) {
    return static_cast<std::uint32_t>(key.day) > DaysInMonth(key.year, key.month);
}

void NextDay(DayKey& key) {
    key.dayOfWeek = StepWeekday(key.dayOfWeek, +1);
    key.day += 1;
    if (IsPastMonthEnd(key) && key.month == 12) {
        key.year += 1;
        key.month = 1;
        key.day = 1;
    } else if (IsPastMonthEnd(key)) {
        key.month += 1;
        key.day = 1;
    }
}

void PreviousDay(DayKey& key) {
    key.dayOfWeek = StepWeekday(key.dayOfWeek, -1);
    key.day -= 1;
    if (key.day == 0 && key.month == 1) {
        key.year -= 1;
        key.month = 12;
        key.day = static_cast<std::int32_t>(DaysInMonth(key.year, 12));
    } else if (key.day == 0) {
        key.month -= 1;
        key.day = static_cast<std::int32_t>(DaysInMonth(key.year, key.month));
    }
}

std::u16string DayFileName(const DayKey& key, std::u16string_view extension) {
    // Three 32-bit numbers print in at most 33 characters.
    char digits[48];
    int length = std::snprintf(digits, sizeof digits, "%04d%02d%02d.", static_cast<int>(key.year),
                               static_cast<int>(key.month), static_cast<int>(key.day));
    std::u16string name(digits, digits + length);
    name += extension;
    return name;
}

std::u16string DayFilePath(std::u16string_view folder, const DayKey& key, std::u16string_view extension) {
    std::u16string path(folder);
    path += u'\\';
    path += DayFileName(key, extension);
    return path;
}

DayFilePair DayFileNames(const DayKey& key) { return {DayFileName(key, u"dbt"), DayFileName(key, u"bmp")}; }

DayFilePair DayFileNames(std::u16string_view folder, const DayKey& key) {
    return {DayFilePath(folder, key, u"dbt"), DayFilePath(folder, key, u"bmp")};
}

std::int32_t DayNumberOf(const DayKey& key) { return key.year * 10000 + key.month * 100 + key.day; }

DayKey DayKeyOfNumber(std::int32_t yyyymmdd) {
    const std::int32_t year = yyyymmdd / 10000, month = yyyymmdd / 100 % 100, day = yyyymmdd % 100;
    return {year, month, day, WeekdayOfDate(year, month, day)};
}

std::u16string IsoDateText(const DayKey& key) {
    const std::u16string name = DayFileName(key, u"");  // "YYYYMMDD."
    return name.substr(0, 4) + u"-" + name.substr(4, 2) + u"-" + name.substr(6, 2);
}
