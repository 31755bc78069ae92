// The text of the date header above the page: "2000-6-7" with two blanks, the weekday's
// name and a closing blank.
#pragma once

#include <string>

#include "diarycore/calendar.h"

std::u16string DateHeaderText(const DayKey& day);
