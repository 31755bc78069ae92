#include "file_read.h"

#include <cerrno>
#include <fcntl.h>
#include <new>
#include <system_error>
#ifdef _WIN32
#include <io.h>
#include <share.h>
#include <stdlib.h>
#include <sys/stat.h>
#else
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32
// The C runtime maps both a sharing violation and a denied access to EACCES; the system's
// own error code, kept in _doserrno, tells them apart.
ReadStatus StatusOfOpenFailure() {
    switch (_doserrno) {
    case 2: case 3: return ReadStatus::Missing;        // file or path not found
    case 32: case 33: return ReadStatus::InUse;        // sharing or lock violation
    case 5: return ReadStatus::AccessDenied;
    default: return errno == ENOENT ? ReadStatus::Missing : ReadStatus::Failed;
    }
}

int OpenForReading(const std::filesystem::path& path) {
    int fd = -1;
    // Share everything: a reader never stands in another program's way.
    _wsopen_s(&fd, path.c_str(), _O_RDONLY | _O_BINARY, _SH_DENYNO, 0);
    return fd;
}

long long ReadSome(int fd, std::uint8_t* into, std::size_t size) {
    constexpr std::size_t kChunk = 1u << 30;
    return _read(fd, into, static_cast<unsigned>(size < kChunk ? size : kChunk));
}

void CloseFile(int fd) { _close(fd); }
#else
ReadStatus StatusOfOpenFailure() {
    switch (errno) {
    case ENOENT: case ENOTDIR: return ReadStatus::Missing;
    case EACCES: case EPERM: return ReadStatus::AccessDenied;
    case ETXTBSY: case EAGAIN: return ReadStatus::InUse;
    default: return ReadStatus::Failed;
    }
}

int OpenForReading(const std::filesystem::path& path) { return ::open(path.c_str(), O_RDONLY | O_CLOEXEC); }

long long ReadSome(int fd, std::uint8_t* into, std::size_t size) {
    long long got;
    do got = ::read(fd, into, size); while (got < 0 && errno == EINTR);
    return got;
}

void CloseFile(int fd) { ::close(fd); }
#endif

}  // namespace

ReadStatus ReadFileBytes(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    std::error_code error;
    const std::filesystem::file_status type = std::filesystem::status(path, error);
    if (type.type() == std::filesystem::file_type::not_found) return ReadStatus::Missing;
    if (!error && !std::filesystem::is_regular_file(type)) return ReadStatus::NotAFile;

    const int fd = OpenForReading(path);
    if (fd < 0) return StatusOfOpenFailure();
    // The size is a hint only: the file is read to its end, however long it turns out.
    const std::uintmax_t expected = std::filesystem::file_size(path, error);
    ReadStatus status = ReadStatus::Ok;
    try {
        bytes.resize(error ? 4096 : static_cast<std::size_t>(expected) + 1);
        std::size_t filled = 0;
        for (;;) {
            if (filled == bytes.size()) bytes.resize(bytes.size() * 2);
            long long got = ReadSome(fd, bytes.data() + filled, bytes.size() - filled);
            if (got < 0) {
                status = ReadStatus::Failed;
                break;
            }
            if (got == 0) break;
            filled += static_cast<std::size_t>(got);
        }
        bytes.resize(filled);
    } catch (const std::bad_alloc&) {
        status = ReadStatus::Failed;
    } catch (const std::length_error&) {
        status = ReadStatus::Failed;
    }
    CloseFile(fd);
    if (status != ReadStatus::Ok) std::vector<std::uint8_t>().swap(bytes);
    return status;
}

bool ReadWholeFile(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes) {
    return ReadFileBytes(path, bytes) == ReadStatus::Ok;
}

const char16_t* DescribeReadStatus(ReadStatus status) {
    switch (status) {
    case ReadStatus::Ok: return u"";
    case ReadStatus::Missing: return u"it is not there";
    case ReadStatus::InUse: return u"it is in use by another program";
    case ReadStatus::AccessDenied: return u"access to it is denied";
    case ReadStatus::NotAFile: return u"it is not a file";
    case ReadStatus::Failed: break;
    }
    return u"the disk could not read it";
}
