#include "diarycore/date_words.h"

#include "platform/program_texts.h"
#include "resources/resource.h"

namespace {

std::u16string Decimal(std::int32_t value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

std::u16string_view Word(int first, std::int32_t index, std::int32_t count, ProgramLanguage language) {
    if (index < 0 || index >= count) return {};
    return ProgramText(first + index, language);
}

// A date form of the texts, every part it may ask for at hand.
std::u16string DateForm(int form, const DayKey& day, ProgramLanguage language) {
    return FillIn(ProgramText(form, language),
                  {Decimal(day.year), Decimal(day.month), Decimal(day.day), ShortWeekdayWord(day.dayOfWeek, language),
                   WeekdayWord(day.dayOfWeek, language), MonthWord(day.month, language)});
}

}  // namespace

std::u16string_view WeekdayWord(std::int32_t dayOfWeek, ProgramLanguage language) {
    return Word(IDS_WEEKDAY_SUNDAY, dayOfWeek, 7, language);
}

std::u16string_view ShortWeekdayWord(std::int32_t dayOfWeek, ProgramLanguage language) {
    return Word(IDS_WEEKDAY_SHORT_SUNDAY, dayOfWeek, 7, language);
}

std::u16string_view MonthWord(std::int32_t month, ProgramLanguage language) {
    return Word(IDS_MONTH_JANUARY, month - 1, 12, language);
}

std::u16string LongDateText(const DayKey& day, ProgramLanguage language) {
    return DateForm(IDS_DATE_LONG, day, language);
}

std::u16string MonthTitleText(std::int32_t year, std::int32_t month, ProgramLanguage language) {
    return DateForm(IDS_DATE_MONTH, DayKey{year, month, 1, 0}, language);
}
