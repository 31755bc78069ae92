// A day's files in the data folder, as the HTML export reads them.
#pragma once

#include <filesystem>

#include "template_engine.h"

// The day's record bytes and whether its BMP can be opened; only reads.
DayFiles ReadDayFiles(const std::filesystem::path& dataFolder, const DayKey& day);
