#include "day_files.h"

#include "file_read.h"

namespace fs = std::filesystem;

bool CanOpenPicture(const fs::path& path) { return CanOpenFile(path); }

DayFiles ReadDayFiles(const fs::path& dataFolder, const DayKey& day) {
    const DayFilePair names = DayFileNames(day);
    DayFiles files;
    ReadWholeFile(dataFolder / names.record, files.record);
    files.hasPicture = CanOpenPicture(dataFolder / names.picture);
    return files;
}
