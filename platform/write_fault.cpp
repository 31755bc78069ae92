#include "write_fault.h"

#include <cerrno>

const char16_t* DescribeWriteFault(WriteFault fault) {
    switch (fault) {
    case WriteFault::None: return u"";
    case WriteFault::DiskFull: return u"there is no space left on the disk";
    case WriteFault::NotWritable: return u"the folder cannot be written to";
    case WriteFault::InUse: return u"it is in use by another program";
    case WriteFault::ReadOnlyFile: return u"it is marked read-only";
    case WriteFault::NoFolder: return u"its folder is not there";
    case WriteFault::NameTooLong: return u"its name is too long";
    case WriteFault::Other: break;
    }
    return u"the system refused it";
}

WriteFault FaultOfWindowsError(unsigned long code) {
    switch (code) {
    case 39: case 112: case 1295:        // handle disk full, disk full, quota exceeded
        return WriteFault::DiskFull;
    case 5: case 19:                     // access denied, write protected
        return WriteFault::NotWritable;
    case 32: case 33: case 1224:         // sharing or lock violation, mapped by another program
        return WriteFault::InUse;
    // Not 2, file not found: Wine says that of a name too long for Linux.
    case 3:                              // path not found
        return WriteFault::NoFolder;
    case 206:                            // file name exceeds range
        return WriteFault::NameTooLong;
    default:
        return WriteFault::Other;
    }
}

WriteFault FaultOfErrorNumber(int number) {
    switch (number) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return WriteFault::DiskFull;
    case EROFS: case EACCES: case EPERM: return WriteFault::NotWritable;
    case ETXTBSY: case EBUSY: return WriteFault::InUse;
    case ENOENT: case ENOTDIR: return WriteFault::NoFolder;
    case ENAMETOOLONG: return WriteFault::NameTooLong;
    default: return WriteFault::Other;
    }
}
