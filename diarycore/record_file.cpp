#include "diarycore/record_file.h"

#include <vector>

RecordFile ReadRecordFile(const std::filesystem::path& path) {
    RecordFile file;
    std::vector<std::uint8_t> bytes;
    file.readStatus = ReadFileBytes(path, bytes);
    switch (file.readStatus) {
    case ReadStatus::Ok:
        file.status = ParseRecord(bytes, file.record) == RecordStatus::Ok ? RecordFileStatus::Ok
                                                                          : RecordFileStatus::Damaged;
        if (file.status != RecordFileStatus::Ok) file.record = DayRecord{};
        break;
    case ReadStatus::Missing: file.status = RecordFileStatus::Missing; break;
    default: file.status = RecordFileStatus::Unreadable; break;
    }
    return file;
}
