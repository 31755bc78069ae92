// The text of the date header above the page. In Japanese the handheld's: "2000-6-7" with
// two blanks, the weekday's name and a closing blank. In English the date in full,
// "Monday, 7 December 2026".
#pragma once

#include <string>

#include "diarycore/calendar.h"
#include "platform/program_language.h"

std::u16string DateHeaderText(const DayKey& day, ProgramLanguage language);
