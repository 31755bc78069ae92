// Today's date from the local clock, with its day of week.
#pragma once

#include "daystore/calendar.h"

DayKey GetToday();
