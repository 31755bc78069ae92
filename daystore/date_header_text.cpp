#include "date_header_text.h"

#include <string>

namespace {

// Every weekday's name is a blank: the header shows the date alone.
constexpr const char16_t* kWeekdayNames[7] = {u" ", u" ", u" ", u" ", u" ", u" ", u" "};
constexpr char16_t kUnknownWeekday[] = u"\uFF1F";   // full-width question mark

std::u16string Number(std::int32_t value) {
    std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

}  // namespace

std::u16string DateHeaderText(const DayKey& day) {
    std::u16string text = Number(day.year) + u"-" + Number(day.month) + u"-" + Number(day.day) + u"  ";
    text += day.dayOfWeek >= 0 && day.dayOfWeek <= 6 ? kWeekdayNames[day.dayOfWeek] : kUnknownWeekday;
    text += u" ";
    return text;
}
