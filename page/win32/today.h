// Today's date from the local clock, with its day of week.
#pragma once

#include "diarycore/calendar.h"

DayKey GetToday();
