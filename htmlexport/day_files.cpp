#include "day_files.h"

#include "diarycore/day_file_store.h"

namespace fs = std::filesystem;

DayFiles ReadDayFiles(const fs::path& dataFolder, const DayKey& day, const UnreadDayFile& unread) {
    const DayFilePair names = DayFileNames(day);
    const fs::path record = dataFolder / names.record, picture = dataFolder / names.picture;
    DayFiles files;
    const ReadStatus recordStatus = ReadDayFile(record, files.record);
    // Opened and closed again: the document only names the picture.
    ReadableFile opened;
    const ReadStatus pictureStatus = OpenDayPicture(picture, opened);
    files.hasPicture = pictureStatus == ReadStatus::Ok;
    const auto tell = [&unread](const fs::path& file, ReadStatus status) {
        if (unread && status != ReadStatus::Ok && status != ReadStatus::Missing) unread(file, status);
    };
    tell(record, recordStatus);
    tell(picture, pictureStatus);
    return files;
}
