// The messages for a day's files that are there but cannot be read or shown, owned by
// the main window.
#pragma once

#include <string>

#include "platform/file_read.h"

class PageView;

void ReportUnreadableRecord(const PageView& view, const std::u16string& path, ReadStatus status);
// A record that failed its checks: the program's own text, then that typing replaces it
// and that the file is kept first.
void ReportDamagedRecord(const PageView& view, const std::u16string& path);
// A picture that is there but cannot be shown: it is not drawn on while its day is shown.
void ReportUnshownPicture(const PageView& view, const std::u16string& path, const std::u16string& reason);
