#include "diarycore/day_file_store.h"

#include <string>
#include <system_error>

#include "diarycore/day_file_seal.h"
#include "diarycore/pages_in_folder.h"

namespace fs = std::filesystem;

namespace {

ReadStatus OpenSealed(const DayFileSeal& seal, const fs::path& path, std::vector<std::uint8_t> sealed,
                      std::vector<std::uint8_t>& bytes) {
    switch (seal.Open(path.filename().u16string(), sealed, bytes)) {
    case SealStatus::Ok: return ReadStatus::Ok;
    case SealStatus::NotSealed:
        // A locked name holds a locked file, or is damaged; any other name may be plain.
        if (IsLockedDayFileName(path.filename().u16string())) break;
        bytes = std::move(sealed);
        return ReadStatus::Ok;
    case SealStatus::Damaged: break;
    case SealStatus::Unavailable: return ReadStatus::Failed;
    }
    bytes.clear();
    return ReadStatus::Damaged;
}

fs::path LockedPath(const fs::path& plain) {
    fs::path locked = plain;
    locked += kLockedSuffix;
    return locked;
}

}  // namespace

fs::path StoredDayFilePath(const fs::path& path) {
    const std::u16string name = path.filename().u16string();
    if (DayOfPageFileName(name) == 0 || IsLockedDayFileName(name) || !DayFileSealFor(path)) return path;
    return LockedPath(path);
}

ReadStatus ReadDayFile(const fs::path& path, std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    const std::shared_ptr<const DayFileSeal> seal = DayFileSealFor(path);
    const std::u16string name = path.filename().u16string();
    const bool lockedName = IsLockedDayFileName(name);
    std::vector<std::uint8_t> read;
    ReadStatus status = ReadStatus::Missing;
    // An open locked diary keeps its days under their locked names; a day still plain
    // (a diary not yet wholly locked) is read under its own.
    if (seal && !lockedName && DayOfPageFileName(name) != 0) status = ReadFileBytes(LockedPath(path), read);
    if (status == ReadStatus::Missing) status = ReadFileBytes(path, read);
    if (status != ReadStatus::Ok) return status;
    if (seal) return OpenSealed(*seal, path, std::move(read), bytes);
    if (lockedName) return ReadStatus::Locked;
    bytes = std::move(read);
    return ReadStatus::Ok;
}

ReadStatus OpenDayPicture(const fs::path& path, ReadableFile& file) {
    file.Close();
    if (!DayFileSealFor(path) && !IsLockedDayFileName(path.filename().u16string())) return file.Open(path);
    // A sealed picture is opened whole, in memory: it is never on the disk as it is.
    std::vector<std::uint8_t> bytes;
    const ReadStatus status = ReadDayFile(path, bytes);
    if (status == ReadStatus::Ok) file.Hold(std::move(bytes));
    return status;
}

WriteStatus WriteDayFile(const fs::path& path, std::span<const std::uint8_t> bytes, WriteOptions options,
                         WriteFault* why) {
    options.durability = Durability::Durable;
    const std::shared_ptr<const DayFileSeal> seal = DayFileSealFor(path);
    if (!seal) return WriteFileSafely(path, bytes, options, why);
    const std::optional<std::vector<std::uint8_t>> sealed = seal->Seal(path.filename().u16string(), bytes);
    if (!sealed) {
        if (why) *why = WriteFault::Other;
        return WriteStatus::CannotWrite;
    }
    const fs::path target = StoredDayFilePath(path);
    if (target == path) return WriteFileSafely(path, *sealed, options, why);
    // The caller knows of the plain name only; whether the locked one is there, it does not.
    const bool plainAbsent = options.targetAbsent;
    options.targetAbsent = false;
    const WriteStatus status = WriteFileSafely(target, *sealed, options, why);
    // The day's plain file, left from before the diary was wholly locked, goes once the
    // locked one holds the page. Should it stay (held by another program), the locked
    // one is read first, and locking the diary again removes it.
    if (status == WriteStatus::Ok && !plainAbsent) {
        std::error_code ignored;
        fs::remove(path, ignored);
    }
    return status;
}
