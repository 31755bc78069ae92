#include "diarycore/record_file.h"

#include <vector>

#include "diarycore/day_file_store.h"

RecordFile ReadRecordFile(const std::filesystem::path& path) {
    std::vector<std::uint8_t> bytes;
    const ReadStatus status = ReadDayFile(path, bytes);
    return RecordFileOf(status, bytes);
}

RecordFile RecordFileOf(ReadStatus readStatus, const std::vector<std::uint8_t>& bytes) {
    RecordFile file;
    file.readStatus = readStatus;
    switch (file.readStatus) {
    case ReadStatus::Ok:
        file.status =
            ParseRecord(bytes, file.record) == RecordStatus::Ok ? RecordFileStatus::Ok : RecordFileStatus::Damaged;
        if (file.status != RecordFileStatus::Ok) file.record = DayRecord{};
        break;
    case ReadStatus::Missing: file.status = RecordFileStatus::Missing; break;
    default: file.status = RecordFileStatus::Unreadable; break;
    }
    return file;
}
