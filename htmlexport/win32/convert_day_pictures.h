// Turns the pictures of an HTML export's run of days into JPEG files beside the document,
// showing each day's progress on the status strip.
#pragma once

#include <windows.h>

#include <string>

#include "diarycore/calendar.h"

// The run starts at `firstDay` and goes back `dayCount` days of the diary folder, as the
// document does; the status strip shows the progress. Pictures that could not be
// converted are listed to the user at the end, in a message owned by `owner`.
void ConvertDayPictures(HWND owner, HWND statusStrip, const std::u16string& folder, const DayKey& firstDay,
                        int dayCount, const std::u16string& outputPath);
