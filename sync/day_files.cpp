#include "sync/day_files.h"

#include "diarycore/day_file_store.h"
#include "diarycore/picture_bytes.h"
#include "diarycore/record.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

ReadStatus ReadOne(const std::optional<std::filesystem::path>& path, std::optional<Bytes>& bytes) {
    bytes.reset();
    if (!path) return ReadStatus::Ok;
    Bytes read;
    const ReadStatus status = ReadDayFile(*path, read);
    if (status == ReadStatus::Missing) return ReadStatus::Ok;
    if (status == ReadStatus::Ok) bytes = std::move(read);
    return status;
}

}  // namespace

ReadStatus ReadDayFileBytes(const std::optional<std::filesystem::path>& record,
                            const std::optional<std::filesystem::path>& picture, DayFileBytes& files) {
    const ReadStatus recordStatus = ReadOne(record, files.record);
    if (recordStatus != ReadStatus::Ok) return recordStatus;
    return ReadOne(picture, files.picture);
}

std::optional<DayPage> DayPageOfFiles(const DayFileBytes& files) {
    DayPage page;
    if (files.record) {
        DayRecord parsed;
        if (ParseRecord(*files.record, parsed) != RecordStatus::Ok) return std::nullopt;
        page.record = std::move(parsed);
    }
    if (files.picture) {
        const Bytes& picture = *files.picture;
        if (picture.size() != static_cast<std::size_t>(kPictureFileBytes) || !IsOwnPictureLayout(picture))
            return std::nullopt;
        page.picture = Bytes(picture.begin() + kPictureHeaderBytes, picture.end());
    }
    return page;
}

DayFileBytes FilesOfDayPage(const DayPage& page) {
    DayFileBytes files;
    if (page.record) files.record = SerializeRecord(*page.record).bytes;
    if (page.picture && !IsBlankPicture(*page.picture)) files.picture = PictureFileBytes(*page.picture);
    return files;
}
