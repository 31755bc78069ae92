// The HTML export as the HTML output dialog runs it: files, and the message boxes.
#pragma once

#include <windows.h>

#include <string>

#include "diarycore/calendar.h"

// Writes dayCount days, from firstDay backwards, into the document at outputPath,
// using the template at templatePath and the day files in the diary folder. Asks before
// replacing an existing document. Errors and the question are owned by `owner`, the
// closing "saved" message by the main window. Returns an HtmlExportResult as a number.
int ExportHtmlDiary(const DayKey& firstDay, int dayCount, const std::u16string& templatePath,
                    const std::u16string& outputPath, HWND owner, HWND mainWindow, const std::u16string& folder,
                    bool jpegPictures);
