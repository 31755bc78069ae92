// The writer's last steps on POSIX systems.
#include "file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

bool SyncFileToDisk(std::FILE* file) { return ::fsync(fileno(file)) == 0; }

void CopyPermissionBits(std::FILE* file, const std::filesystem::path& from) {
    struct stat old;
    if (::stat(from.c_str(), &old) != 0) return;   // a new file keeps the umask's bits
    if (::fchmod(fileno(file), old.st_mode & 07777) != 0) return;
    // Only the owner's superuser can give a file away; for anyone else this fails harmlessly.
    if (::geteuid() == 0) (void)!::fchown(fileno(file), old.st_uid, old.st_gid);
}

bool ReplaceFileOnDisk(const std::filesystem::path& from, const std::filesystem::path& to, Durability durability) {
    if (std::rename(from.c_str(), to.c_str()) != 0) return false;
    if (durability == Durability::Durable) {
        // The new name lives in the folder: the folder's own entry must reach the disk too.
        std::filesystem::path folder = to.parent_path();
        int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd >= 0) {
            ::fsync(fd);
            ::close(fd);
        }
    }
    return true;
}

unsigned long CurrentProcessNumber() { return static_cast<unsigned long>(::getpid()); }
