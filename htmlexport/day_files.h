// A day's files in the data folder, as the HTML export reads them.
#pragma once

#include <filesystem>

#include "template_engine.h"

// A day's picture counts when it is a file that can be opened; a folder of that name
// is none (Linux would open it for reading, Windows would not).
bool CanOpenPicture(const std::filesystem::path& path);

// The day's record bytes and whether its BMP can be opened; only reads.
DayFiles ReadDayFiles(const std::filesystem::path& dataFolder, const DayKey& day);
