// The writer's platform steps on POSIX systems.
#include "file_replace.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <system_error>

namespace fs = std::filesystem;

bool WriteToFile(std::FILE* file, std::span<const std::uint8_t> bytes) {
    return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

bool SyncFileToDisk(std::FILE* file) { return ::fsync(fileno(file)) == 0; }

void CopyPermissionBits(std::FILE* file, const fs::path& from) {
    struct stat old;
    if (::stat(from.c_str(), &old) != 0) return;  // a new file keeps the umask's bits
    if (::fchmod(fileno(file), old.st_mode & 07777) != 0) return;
    // Only the owner's superuser can give a file away; for anyone else this fails harmlessly.
    if (::geteuid() == 0) (void)!::fchown(fileno(file), old.st_uid, old.st_gid);
}

namespace {

// A rename that never replaces: where the file system cannot refuse a replace itself, a
// second name made by a link, which an existing one refuses, then the first name removed.
bool MoveToNewName(const fs::path& from, const fs::path& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    if (::link(from.c_str(), to.c_str()) != 0) return false;
    ::unlink(from.c_str());
    return true;
}

}  // namespace

bool ReplaceFileOnDisk(const fs::path& from, const fs::path& to, Durability durability, bool mayReplace) {
    if (mayReplace ? std::rename(from.c_str(), to.c_str()) != 0 : !MoveToNewName(from, to)) return false;
    if (durability == Durability::Durable) {
        // The new name lives in the folder: the folder's own entry must reach the disk too.
        fs::path folder = to.parent_path();
        int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd >= 0) {
            ::fsync(fd);
            ::close(fd);
        }
    }
    return true;
}

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

WriteFault RefusalToReplace(const fs::path& target) {
    struct stat status;
    if (::stat(target.c_str(), &status) != 0) return WriteFault::None;  // no file yet
    return S_ISREG(status.st_mode) ? WriteFault::None : WriteFault::NotAFile;
}

void ForgetSystemError() { errno = 0; }

WriteFault FaultOfSystemError() { return FaultOfErrorNumber(errno); }

unsigned long CurrentProcessNumber() { return static_cast<unsigned long>(::getpid()); }

bool IsProcessRunning(unsigned long number) {
    // 0 and numbers beyond pid_t would ask about a process group, not a process.
    if (number == 0 || number > static_cast<unsigned long>(INT_MAX)) return false;
    return ::kill(static_cast<pid_t>(number), 0) == 0 || errno == EPERM;
}
