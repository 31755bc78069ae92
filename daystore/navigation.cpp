#include "navigation.h"

// Day navigation arrives with the calendar and the record file.
void ShowToday() {}
void GoNextDay() {}
void GoPreviousDay() {}
void PickDay(HWND) {}
void SaveTextCommand() {}
