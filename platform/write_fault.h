// Why a write failed, in the user's terms, from the system's error at the step that failed.
#pragma once

#include <system_error>

enum class WriteFault {
    None,
    DiskFull,       // no space left, or the user's quota used up
    NotWritable,    // the folder or the file may not be written (permissions, read-only disk)
    InUse,          // another program holds the file
    ReadOnlyFile,   // the target is marked read-only
    NotAFile,       // the target is a folder or a device, which no file replaces
    MadeMeanwhile,  // a file of the name appeared while it was written, and is not replaced
    NoFolder,       // the folder is not there
    NameTooLong,    // longer than the disk allows
    Other,          // anything else, or a step that failed without saying why
};

// The id of the few words that say why a write failed, completing "... could not be
// saved: " ("there is no space left on the disk"); 0 for None.
int ReasonTextId(WriteFault fault);
// The fault a Windows error code (GetLastError) means, for the program's own file
// operations outside the writer, such as deleting a day's picture.
WriteFault FaultOfWindowsError(unsigned long code);
// The fault an errno value means.
WriteFault FaultOfErrorNumber(int number);
// The fault of a file system call's error code: a Windows error on Windows, errno elsewhere.
WriteFault FaultOfErrorCode(const std::error_code& error);
