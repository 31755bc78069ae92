#include "jpeg/jpeg_host.h"

#include "file_read.h"
#include "file_write.h"

namespace jpeg {

bool JpegHost::WriteJpegFile(const std::filesystem::path& path, std::span<const uint8_t> bytes) {
    if (expectNewFile_) {
        const WriteOptions newFile{
            .durability = Durability::Atomic, .temporaryFolder = temporaryFolder_, .targetAbsent = true};
        const WriteStatus status = WriteFileSafely(path, bytes, newFile);
        if (status != WriteStatus::CannotReplace) return status == WriteStatus::Ok;
    }
    return FileHoldsBytes(path, bytes) || WriteFileSafely(path, bytes) == WriteStatus::Ok;
}

}  // namespace jpeg
