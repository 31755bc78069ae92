// Today's date from the local clock, with its day of week.
#pragma once

#include "diary/calendar.h"

DayKey GetToday();
