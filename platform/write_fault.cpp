#include "write_fault.h"

#include <cerrno>

#include "resources/resource.h"

int ReasonTextId(WriteFault fault) {
    switch (fault) {
    case WriteFault::None: return 0;
    case WriteFault::DiskFull: return IDS_WRITE_DISK_FULL;
    case WriteFault::NotWritable: return IDS_WRITE_NOT_WRITABLE;
    case WriteFault::InUse: return IDS_FILE_IN_USE;
    case WriteFault::ReadOnlyFile: return IDS_WRITE_READ_ONLY;
    case WriteFault::NotAFile: return IDS_READ_NOT_A_FILE;
    case WriteFault::MadeMeanwhile: return IDS_WRITE_MADE_MEANWHILE;
    case WriteFault::NoFolder: return IDS_WRITE_NO_FOLDER;
    case WriteFault::NameTooLong: return IDS_WRITE_NAME_TOO_LONG;
    case WriteFault::Other: break;
    }
    return IDS_WRITE_REFUSED;
}

WriteFault FaultOfWindowsError(unsigned long code) {
    switch (code) {
    case 39:
    case 112:
    case 1295:  // handle disk full, disk full, quota exceeded
        return WriteFault::DiskFull;
    case 5:
    case 19:  // access denied, write protected
        return WriteFault::NotWritable;
    case 32:
    case 33:
    case 1224:  // sharing or lock violation, mapped by another program
        return WriteFault::InUse;
    // Not 2, file not found: Wine says that of a name too long for Linux.
    case 3:  // path not found
        return WriteFault::NoFolder;
    case 206:  // file name exceeds range
        return WriteFault::NameTooLong;
    case 80:
    case 183:  // file exists, already exists
        return WriteFault::MadeMeanwhile;
    default: return WriteFault::Other;
    }
}

WriteFault FaultOfErrorNumber(int number) {
    switch (number) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return WriteFault::DiskFull;
    case EROFS:
    case EACCES:
    case EPERM: return WriteFault::NotWritable;
    case ETXTBSY:
    case EBUSY: return WriteFault::InUse;
    case ENOENT:
    case ENOTDIR: return WriteFault::NoFolder;
    case ENAMETOOLONG: return WriteFault::NameTooLong;
    case EEXIST: return WriteFault::MadeMeanwhile;
    default: return WriteFault::Other;
    }
}

WriteFault FaultOfErrorCode(const std::error_code& error) {
#ifdef _WIN32
    if (error.category() == std::system_category())
        return FaultOfWindowsError(static_cast<unsigned long>(error.value()));
#endif
    return FaultOfErrorNumber(error.value());
}
