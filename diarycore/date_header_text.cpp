#include "diarycore/date_header_text.h"

#include <string>

namespace {

std::u16string Number(std::int32_t value) {
    std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

}  // namespace

std::u16string DateHeaderText(const DayKey& day) {
    std::u16string text = Number(day.year) + u"-" + Number(day.month) + u"-" + Number(day.day) + u"  ";
    text += WeekdayName(day.dayOfWeek);
    text += u" ";
    return text;
}
