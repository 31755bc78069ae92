// The writer's last steps on Windows.
#include "file_replace.h"

#include <windows.h>

#include <io.h>

#include <cstdio>

bool SyncFileToDisk(std::FILE* file) {
    HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    return handle != INVALID_HANDLE_VALUE && FlushFileBuffers(handle);
}

// Attributes travel with the file on Windows; a read-only target refuses the replace.
void CopyPermissionBits(std::FILE*, const std::filesystem::path&) {}

bool ReplaceFileOnDisk(const std::filesystem::path& from, const std::filesystem::path& to, Durability durability) {
    DWORD flags = MOVEFILE_REPLACE_EXISTING;
    if (durability == Durability::Durable) flags |= MOVEFILE_WRITE_THROUGH;
    // Virus scanners, the search indexer and sync programs open new files for a moment;
    // a replace that meets one of them is tried again for about a second.
    for (int attempt = 0;; ++attempt) {
        if (MoveFileExW(from.c_str(), to.c_str(), flags)) return true;
        DWORD error = GetLastError();
        bool busy = error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED || error == ERROR_LOCK_VIOLATION;
        if (!busy || attempt == 10) return false;
        Sleep(100);
    }
}

unsigned long CurrentProcessNumber() { return GetCurrentProcessId(); }
