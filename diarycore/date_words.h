// Dates in words, the way each language writes them: the weekdays, the months, a date in
// full and a month's title. The words come from the program's texts, so the windows and
// the console say the same.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "diarycore/calendar.h"
#include "platform/program_language.h"

// "日曜日" / "Sunday" for 0 ... "土曜日" / "Saturday" for 6; empty outside 0-6.
std::u16string_view WeekdayWord(std::int32_t dayOfWeek, ProgramLanguage language);
// "日" / "Sun", as a calendar's column heads have them; empty outside 0-6.
std::u16string_view ShortWeekdayWord(std::int32_t dayOfWeek, ProgramLanguage language);
// "1月" / "January" for 1 ... "12月" / "December" for 12; empty outside 1-12.
std::u16string_view MonthWord(std::int32_t month, ProgramLanguage language);

// "2026年12月7日(月)" / "Monday, 7 December 2026", with the key's own day of week.
std::u16string LongDateText(const DayKey& day, ProgramLanguage language);
// "2026年12月" / "December 2026".
std::u16string MonthTitleText(std::int32_t year, std::int32_t month, ProgramLanguage language);
