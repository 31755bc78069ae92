#include "diarycore/date_header_text.h"

#include <string>

#include "diarycore/date_words.h"

namespace {

std::u16string Number(std::int32_t value) {
    std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

}  // namespace

std::u16string DateHeaderText(const DayKey& day, ProgramLanguage language) {
    if (language == ProgramLanguage::English) return LongDateText(day, language);
    std::u16string text = Number(day.year) + u"-" + Number(day.month) + u"-" + Number(day.day) + u"  ";
    text += WeekdayName(day.dayOfWeek);
    text += u" ";
    return text;
}
