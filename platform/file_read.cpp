#include "file_read.h"

#include <algorithm>
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
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "resources/resource.h"

namespace {

#ifdef _WIN32
// The C runtime maps both a sharing violation and a denied access to EACCES; the system's
// own error code, kept in _doserrno, tells them apart.
ReadStatus StatusOfOpenFailure() {
    switch (_doserrno) {
    case 2:
    case 3: return ReadStatus::Missing;  // file or path not found
    case 32:
    case 33: return ReadStatus::InUse;  // sharing or lock violation
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

long long ReadSomeAt(int fd, std::uint64_t offset, std::uint8_t* into, std::size_t size) {
    // A ReadableFile belongs to one thread, so the seek and the read stay together.
    if (_lseeki64(fd, static_cast<long long>(offset), SEEK_SET) < 0) return -1;
    return ReadSome(fd, into, size);
}

// True for a regular file, with its size.
bool IsRegularOpenFile(int fd, std::uint64_t& size) {
    struct _stat64 status {};
    if (_fstat64(fd, &status) != 0 || (status.st_mode & _S_IFMT) != _S_IFREG) return false;
    size = status.st_size > 0 ? static_cast<std::uint64_t>(status.st_size) : 0;
    return true;
}

void CloseFile(int fd) { _close(fd); }
#else
ReadStatus StatusOfOpenFailure() {
    switch (errno) {
    case ENOENT:
    case ENOTDIR: return ReadStatus::Missing;
    case EACCES:
    case EPERM: return ReadStatus::AccessDenied;
    case ETXTBSY:
    case EAGAIN: return ReadStatus::InUse;
    default: return ReadStatus::Failed;
    }
}

// Not blocking: a pipe of the name is opened (and then refused, as no regular file)
// without waiting for a writer. Regular files read the same either way.
int OpenForReading(const std::filesystem::path& path) {
    return ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
}

long long ReadSome(int fd, std::uint8_t* into, std::size_t size) {
    long long got;
    do got = ::read(fd, into, size);
    while (got < 0 && errno == EINTR);
    return got;
}

long long ReadSomeAt(int fd, std::uint64_t offset, std::uint8_t* into, std::size_t size) {
    long long got;
    do got = ::pread(fd, into, size, static_cast<off_t>(offset));
    while (got < 0 && errno == EINTR);
    return got;
}

// True for a regular file, with its size.
bool IsRegularOpenFile(int fd, std::uint64_t& size) {
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) return false;
    size = status.st_size > 0 ? static_cast<std::uint64_t>(status.st_size) : 0;
    return true;
}

void CloseFile(int fd) { ::close(fd); }
#endif

// Opens a regular file for reading, with its size; -1 otherwise. Opening comes first
// and the reason is looked for only when it fails: under Wine every look at the disk
// is a request to the Wine server, and exports look at thousands of files.
int OpenRegularFile(const std::filesystem::path& path, std::uint64_t& size, ReadStatus* why) {
    const int fd = OpenForReading(path);
    if (fd >= 0) {
        if (IsRegularOpenFile(fd, size)) return fd;
        CloseFile(fd);
        if (why) *why = ReadStatus::NotAFile;
        return -1;
    }
    if (!why) return -1;
    *why = StatusOfOpenFailure();  // before anything else can change errno
    // Most failed opens are days without that file: they need no second look.
    if (*why == ReadStatus::Missing) return -1;
    std::error_code error;
    const std::filesystem::file_status type = std::filesystem::status(path, error);
    if (type.type() == std::filesystem::file_type::not_found)
        *why = ReadStatus::Missing;
    else if (!error && !std::filesystem::is_regular_file(type))
        *why = ReadStatus::NotAFile;
    return -1;
}

}  // namespace

ReadStatus ReadFileBytes(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    ReadStatus status = ReadStatus::Ok;
    std::uint64_t expected = 0;
    const int fd = OpenRegularFile(path, expected, &status);
    if (fd < 0) return status;
    // The size is a hint only: the file is read to its end, however long it turns out.
    try {
        bytes.resize(static_cast<std::size_t>(expected) + 1);
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
    } catch (const std::bad_alloc&) { status = ReadStatus::Failed; } catch (const std::length_error&) {
        status = ReadStatus::Failed;
    }
    CloseFile(fd);
    if (status != ReadStatus::Ok) std::vector<std::uint8_t>().swap(bytes);
    return status;
}

bool ReadWholeFile(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes) {
    return ReadFileBytes(path, bytes) == ReadStatus::Ok;
}

int ReasonTextId(ReadStatus status) {
    switch (status) {
    case ReadStatus::Ok: return 0;
    case ReadStatus::Missing: return IDS_READ_MISSING;
    case ReadStatus::InUse: return IDS_FILE_IN_USE;
    case ReadStatus::AccessDenied: return IDS_READ_ACCESS_DENIED;
    case ReadStatus::NotAFile: return IDS_READ_NOT_A_FILE;
    case ReadStatus::Damaged: return IDS_READ_DAMAGED;
    case ReadStatus::Locked: return IDS_READ_LOCKED;
    case ReadStatus::Failed: break;
    }
    return IDS_READ_FAILED;
}

ReadableFile::ReadableFile(ReadableFile&& other) noexcept
    : fd_(other.fd_), size_(other.size_), holding_(other.holding_), held_(std::move(other.held_)) {
    other.fd_ = -1;
    other.size_ = 0;
    other.holding_ = false;
}

ReadableFile& ReadableFile::operator=(ReadableFile&& other) noexcept {
    if (this != &other) {
        Close();
        fd_ = other.fd_, size_ = other.size_, holding_ = other.holding_;
        held_ = std::move(other.held_);
        other.fd_ = -1, other.size_ = 0, other.holding_ = false;
    }
    return *this;
}

ReadableFile::~ReadableFile() { Close(); }

ReadStatus ReadableFile::Open(const std::filesystem::path& path) {
    Close();
    ReadStatus status = ReadStatus::Ok;
    fd_ = OpenRegularFile(path, size_, &status);
    return status;
}

void ReadableFile::Hold(std::vector<std::uint8_t> bytes) {
    Close();
    held_ = std::move(bytes);
    holding_ = true;
    size_ = held_.size();
}

void ReadableFile::Close() {
    if (fd_ >= 0) CloseFile(fd_);
    fd_ = -1;
    size_ = 0;
    holding_ = false;
    held_.clear();
    held_.shrink_to_fit();
}

bool ReadableFile::ReadAt(std::uint64_t offset, std::span<std::uint8_t> into) const {
    if (holding_) {
        if (offset > held_.size() || into.size() > held_.size() - offset) return false;
        std::copy_n(held_.begin() + static_cast<std::ptrdiff_t>(offset), into.size(), into.begin());
        return true;
    }
    if (fd_ < 0) return false;
    std::size_t filled = 0;
    while (filled < into.size()) {
        const long long got = ReadSomeAt(fd_, offset + filled, into.data() + filled, into.size() - filled);
        if (got <= 0) return false;
        filled += static_cast<std::size_t>(got);
    }
    return true;
}

bool CanOpenFile(const std::filesystem::path& path) {
    std::uint64_t size = 0;
    const int fd = OpenRegularFile(path, size, nullptr);
    if (fd >= 0) CloseFile(fd);
    return fd >= 0;
}

bool FileHoldsBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    ReadableFile file;
    file.fd_ = OpenRegularFile(path, file.size_, nullptr);
    if (!file.IsOpen() || file.Size() != bytes.size()) return false;
    std::uint8_t chunk[16 * 1024];
    for (std::size_t at = 0; at < bytes.size(); at += sizeof chunk) {
        const std::size_t size = std::min(sizeof chunk, bytes.size() - at);
        if (!file.ReadAt(at, std::span(chunk, size)) || !std::equal(chunk, chunk + size, bytes.data() + at)) {
            return false;
        }
    }
    return true;
}
