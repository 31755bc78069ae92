#include "diarycore/day_file_store.h"

ReadStatus ReadDayFile(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes) {
    return ReadFileBytes(path, bytes);
}

ReadStatus OpenDayPicture(const std::filesystem::path& path, ReadableFile& file) { return file.Open(path); }

WriteStatus WriteDayFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes, WriteOptions options,
                         WriteFault* why) {
    options.durability = Durability::Durable;
    return WriteFileSafely(path, bytes, options, why);
}
