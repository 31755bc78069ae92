#include "day_files.h"

#include <fstream>
#include <system_error>

#include "file_read.h"

namespace fs = std::filesystem;

bool CanOpenPicture(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error) && std::ifstream(path, std::ios::binary).is_open();
}

DayFiles ReadDayFiles(const fs::path& dataFolder, const DayKey& day) {
    const DayFilePair names = DayFileNames(day);
    DayFiles files;
    ReadWholeFile(dataFolder / names.record, files.record);
    files.hasPicture = CanOpenPicture(dataFolder / names.picture);
    return files;
}
