// The messages for a day's files that are there but cannot be read or shown, owned by
// the main window.
#pragma once

#include <windows.h>

#include <string>

#include "platform/file_read.h"

void ReportUnreadableRecord(HWND owner, const std::u16string& path, ReadStatus status);
// A record that failed its checks: the program's own text, then that typing replaces it
// and that the file is kept first.
void ReportDamagedRecord(HWND owner, const std::u16string& path);
// A picture that is there but cannot be shown: it is not drawn on while its day is shown.
void ReportUnshownPicture(HWND owner, const std::u16string& path, const std::u16string& reason);
