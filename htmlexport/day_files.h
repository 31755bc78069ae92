// A day's files in the data folder, as the HTML export reads them.
#pragma once

#include <filesystem>
#include <functional>

#include "file_read.h"
#include "template_engine.h"

// Told of a day file that is there but cannot be read, and why.
using UnreadDayFile = std::function<void(const std::filesystem::path& file, ReadStatus why)>;

// The day's record bytes and whether its BMP can be opened; only reads. A picture counts
// when it is a file that can be opened, as the picture run finds it; a folder of that
// name is none (Linux would open it for reading, Windows would not). A record or picture
// that is there but cannot be read (a folder or a pipe of its name, a file held without
// sharing) is read as no file, and told to `unread`.
DayFiles ReadDayFiles(const std::filesystem::path& dataFolder, const DayKey& day, const UnreadDayFile& unread = {});
