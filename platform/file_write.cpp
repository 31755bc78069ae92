#include "file_write.h"

#include <atomic>
#include <cstdio>
#include <fcntl.h>
#ifdef _WIN32
#include <io.h>
#include <sys/stat.h>
#endif
#include <string>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// Creates the file only when no file of that name exists yet.
std::FILE* OpenForWriting(const fs::path& path) {
#ifdef _WIN32
    int fd = _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    return fd < 0 ? nullptr : _fdopen(fd, "wb");
#else
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    return fd < 0 ? nullptr : fdopen(fd, "wb");
#endif
}

// A name beside the target that no other writer of this process or another one picks.
fs::path TemporaryNameFor(const fs::path& target, unsigned attempt) {
    static std::atomic<unsigned> counter{0};
    fs::path temp = target;
    temp += ".tmp" + std::to_string(counter++) + "-" + std::to_string(attempt);
    return temp;
}

}  // namespace

WriteStatus FileWriteSteps::WriteNewFile(const fs::path& path, std::span<const std::uint8_t> bytes) {
    std::FILE* file = OpenForWriting(path);
    if (!file) return WriteStatus::CannotCreate;
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = std::fflush(file) == 0 && ok;
    ok = std::fclose(file) == 0 && ok;
    return ok ? WriteStatus::Ok : WriteStatus::CannotWrite;
}

bool FileWriteSteps::ReplaceFile(const fs::path& from, const fs::path& to) {
    std::error_code error;
    fs::rename(from, to, error);
    return !error;
}

WriteStatus WriteFileSafely(const fs::path& target, std::span<const std::uint8_t> bytes, FileWriteSteps& steps) {
    fs::path temp;
    WriteStatus status = WriteStatus::CannotCreate;
    // An existing name is refused, so a leftover temporary file is never reused.
    for (unsigned attempt = 0; attempt < 8 && status == WriteStatus::CannotCreate; ++attempt) {
        temp = TemporaryNameFor(target, attempt);
        std::error_code error;
        if (fs::exists(temp, error)) continue;
        status = steps.WriteNewFile(temp, bytes);
    }
    if (status == WriteStatus::Ok && !steps.ReplaceFile(temp, target)) status = WriteStatus::CannotReplace;
    if (status != WriteStatus::Ok) {
        std::error_code ignored;
        fs::remove(temp, ignored);
    }
    return status;
}

WriteStatus WriteFileSafely(const fs::path& target, std::span<const std::uint8_t> bytes) {
    FileWriteSteps steps;
    return WriteFileSafely(target, bytes, steps);
}
