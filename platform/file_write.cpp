#include "file_write.h"

#include <atomic>
#include <cctype>
#include <fcntl.h>
#include <string>
#include <system_error>
#ifdef _WIN32
#include <io.h>
#include <sys/stat.h>
#else
#include <unistd.h>
#endif

#include "file_replace.h"

namespace fs = std::filesystem;

namespace {

constexpr std::u16string_view kTemporaryMark = u".tmp-";

// A name beside the target that no other writer of this process or another one picks.
fs::path TemporaryNameFor(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    fs::path temp = target;
    temp += ".tmp-" + std::to_string(CurrentProcessNumber()) + "-" + std::to_string(counter++);
    return temp;
}

// The file a write lands in: a symbolic link is followed to the file it names, so the
// link stays a link and its file gets the new bytes.
fs::path FollowLinks(const fs::path& target) {
    fs::path at = target;
    std::error_code error;
    for (int hops = 0; hops < 40 && fs::is_symlink(at, error); ++hops) {
        fs::path next = fs::read_symlink(at, error);
        if (error) break;
        at = next.is_absolute() ? next : at.parent_path() / next;
    }
    return at;
}

bool AllDigits(std::u16string_view text) {
    if (text.empty()) return false;
    for (char16_t c : text)
        if (c < u'0' || c > u'9') return false;
    return true;
}

}  // namespace

std::FILE* FileWriteSteps::CreateNewFile(const fs::path& path) {
#ifdef _WIN32
    int fd = _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    return fd < 0 ? nullptr : _fdopen(fd, "wb");
#else
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    return fd < 0 ? nullptr : fdopen(fd, "wb");
#endif
}

bool FileWriteSteps::WriteBytes(std::FILE* file, std::span<const std::uint8_t> bytes) {
    return bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

bool FileWriteSteps::FinishFile(std::FILE* file, Durability durability) {
    bool ok = std::fflush(file) == 0;
    if (ok && durability == Durability::Durable) ok = SyncFileToDisk(file);
    return std::fclose(file) == 0 && ok;
}

bool FileWriteSteps::ReplaceFile(const fs::path& from, const fs::path& to, Durability durability) {
    return ReplaceFileOnDisk(from, to, durability);
}

static FileWriteSteps& DefaultWriteSteps() {
    static FileWriteSteps steps;
    return steps;
}

PendingFile::PendingFile(const fs::path& target, Durability durability)
    : PendingFile(target, durability, DefaultWriteSteps()) {}

PendingFile::PendingFile(const fs::path& target, Durability durability, FileWriteSteps& steps)
    : steps_(steps), target_(FollowLinks(target)), durability_(durability) {
    // An existing name is refused by CreateNewFile, so a leftover file is never reused.
    for (int attempt = 0; attempt < 8 && !file_; ++attempt) {
        temporary_ = TemporaryNameFor(target_);
        file_ = steps_.CreateNewFile(temporary_);
    }
    if (!file_) {
        temporary_.clear();
        return;
    }
    status_ = WriteStatus::Ok;
    CopyPermissionBits(file_, target_);
}

PendingFile::~PendingFile() { Discard(); }

void PendingFile::Discard() {
    if (file_) steps_.FinishFile(file_, Durability::Atomic);
    file_ = nullptr;
    if (!temporary_.empty()) {
        std::error_code ignored;
        fs::remove(temporary_, ignored);
        temporary_.clear();
    }
}

bool PendingFile::Write(std::span<const std::uint8_t> bytes) {
    if (status_ != WriteStatus::Ok) return false;
    if (!steps_.WriteBytes(file_, bytes)) status_ = WriteStatus::CannotWrite;
    return status_ == WriteStatus::Ok;
}

bool PendingFile::Write(std::string_view text) {
    return Write(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

WriteStatus PendingFile::Commit() {
    if (status_ == WriteStatus::Ok) {
        std::FILE* file = file_;
        file_ = nullptr;
        if (!steps_.FinishFile(file, durability_)) {
            status_ = WriteStatus::CannotWrite;
        } else if (!steps_.ReplaceFile(temporary_, target_, durability_)) {
            status_ = WriteStatus::CannotReplace;
        } else {
            temporary_.clear();   // it is the target now
        }
    }
    Discard();
    return status_;
}

WriteStatus WriteFileSafely(const fs::path& target, std::span<const std::uint8_t> bytes, Durability durability,
                            FileWriteSteps& steps) {
    PendingFile file(target, durability, steps);
    file.Write(bytes);
    return file.Commit();
}

WriteStatus WriteFileSafely(const fs::path& target, std::span<const std::uint8_t> bytes, Durability durability) {
    return WriteFileSafely(target, bytes, durability, DefaultWriteSteps());
}

bool IsWriterTemporaryName(std::u16string_view name) {
    // name ".tmp-" process "-" counter, with a name of its own in front
    const std::size_t mark = name.rfind(kTemporaryMark);
    if (mark == std::u16string_view::npos || mark == 0) return false;
    std::u16string_view numbers = name.substr(mark + kTemporaryMark.size());
    const std::size_t dash = numbers.find(u'-');
    return dash != std::u16string_view::npos && AllDigits(numbers.substr(0, dash)) &&
           AllDigits(numbers.substr(dash + 1));
}

int RemoveLeftoverTemporaryFiles(const fs::path& folder) {
    int removed = 0;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code ignored;
        if (!it->is_regular_file(ignored) || !IsWriterTemporaryName(it->path().filename().u16string())) continue;
        if (fs::remove(it->path(), ignored)) ++removed;
    }
    return removed;
}
