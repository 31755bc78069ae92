#include "page/win32/today.h"

#include <windows.h>

DayKey GetToday() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wDayOfWeek};
}
