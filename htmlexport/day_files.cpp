#include "day_files.h"

#include <fstream>

#include "file_read.h"

DayFiles ReadDayFiles(const std::filesystem::path& dataFolder, const DayKey& day) {
    const DayFilePair names = DayFileNames(day);
    DayFiles files;
    ReadWholeFile(dataFolder / names.record, files.record);
    files.hasPicture = std::ifstream(dataFolder / names.picture, std::ios::binary).is_open();
    return files;
}
