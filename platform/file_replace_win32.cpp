// The writer's platform steps on Windows.
#include "file_replace.h"

#include <windows.h>

#include <io.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <string>
#include <string_view>

namespace fs = std::filesystem;

// Straight to the system, a piece at a time: Wine's C runtime takes a write that a full
// disk cut short for an invalid argument and loses the reason, which the write of the
// rest gets. The stream's buffer is emptied first, so the bytes stay in order.
bool WriteToFile(std::FILE* file, std::span<const std::uint8_t> bytes) {
    if (std::fflush(file) != 0) return false;
    HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    while (!bytes.empty()) {
        const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(handle, bytes.data(), piece, &written, nullptr) || written == 0) return false;
        bytes = bytes.subspan(written);
    }
    return true;
}

bool SyncFileToDisk(std::FILE* file) {
    HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    return handle != INVALID_HANDLE_VALUE && FlushFileBuffers(handle);
}

// ReplaceFileW gives the new file the replaced one's attributes and security. Wine's
// gives it the mode of a new file: Wine maps security to a mode only with the owner's
// and the group's bits alike, so a copied security descriptor would not keep 0600 either.
void CopyPermissionBits(std::FILE*, const fs::path&) {}

namespace {

bool Exists(const fs::path& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Virus scanners, the search indexer and sync programs open new files for a moment.
bool IsBusyError(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED || error == ERROR_LOCK_VIOLATION ||
           error == ERROR_UNABLE_TO_REMOVE_REPLACED;
}

// ReplaceFileW has no write-through; a flush of the replaced file takes its new entry to
// the disk, as MOVEFILE_WRITE_THROUGH does for a move.
void FlushReplacedFile(const fs::path& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    FlushFileBuffers(file);
    CloseHandle(file);
}

// Wine's ReplaceFileW reads the target's whole folder, which in a diary of decades takes
// longer than a change of day may, and it keeps no more than a move does there: Wine
// gives the new file a new file's mode either way.
bool RunsUnderWine() {
    static const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    return wine;
}

bool MoveOrReplace(const fs::path& from, const fs::path& to, Durability durability, bool mayReplace) {
    DWORD flags = durability == Durability::Durable ? MOVEFILE_WRITE_THROUGH : 0;
    if (!mayReplace) return MoveFileExW(from.c_str(), to.c_str(), flags);
    if (!RunsUnderWine() && Exists(to)) {
        if (ReplaceFileW(to.c_str(), from.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
            if (durability == Durability::Durable) FlushReplacedFile(to);
            return true;
        }
        // Gone meanwhile: a move puts the new file there.
        if (GetLastError() != ERROR_FILE_NOT_FOUND) return false;
    }
    return MoveFileExW(from.c_str(), to.c_str(), flags | MOVEFILE_REPLACE_EXISTING);
}

}  // namespace

bool ReplaceFileOnDisk(const fs::path& from, const fs::path& to, Durability durability, bool mayReplace) {
    // A replace that meets another program holding the file is tried again for about a second.
    for (int attempt = 0;; ++attempt) {
        if (MoveOrReplace(from, to, durability, mayReplace)) return true;
        const DWORD error = GetLastError();
        if (!IsBusyError(error) || attempt == 10) return false;
        Sleep(100);
    }
}

fs::path FollowLinks(const fs::path& target) {
    // The system names the file a handle reaches; no access is asked for, so no other
    // program stands in the way. A file not there yet is written under its own name.
    HANDLE file = CreateFileW(target.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return target;
    std::wstring name(MAX_PATH, L'\0');
    DWORD length = GetFinalPathNameByHandleW(file, name.data(), static_cast<DWORD>(name.size()), VOLUME_NAME_DOS);
    if (length >= name.size()) {
        name.resize(length + 1);
        length = GetFinalPathNameByHandleW(file, name.data(), static_cast<DWORD>(name.size()), VOLUME_NAME_DOS);
    }
    CloseHandle(file);
    if (length == 0 || length >= name.size()) return target;
    name.resize(length);
    // "\\?\C:\..." and "\\?\UNC\server\..." as the user writes them.
    std::wstring_view path = name;
    if (path.starts_with(L"\\\\?\\UNC\\")) return fs::path(L"\\\\" + std::wstring(path.substr(8)));
    if (path.starts_with(L"\\\\?\\") && path.size() > 5 && path[5] == L':') return fs::path(path.substr(4));
    return fs::path(path);
}

WriteFault RefusalToReplace(const fs::path& target) {
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return WriteFault::None;  // no file yet
    if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) return WriteFault::NotAFile;
    return attributes & FILE_ATTRIBUTE_READONLY ? WriteFault::ReadOnlyFile : WriteFault::None;
}

void ForgetSystemError() {
    SetLastError(0);
    errno = 0;
}

// The C runtime maps several system errors to one errno value (a sharing violation and a
// denied access are both EACCES); the system's own code tells them apart.
WriteFault FaultOfSystemError() {
    if (const DWORD code = GetLastError()) return FaultOfWindowsError(code);
    return FaultOfErrorNumber(errno);
}

unsigned long CurrentProcessNumber() { return GetCurrentProcessId(); }

bool IsProcessRunning(unsigned long number) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, number);
    if (!process) return GetLastError() == ERROR_ACCESS_DENIED;  // another user's process
    DWORD code = 0;
    const bool running = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    CloseHandle(process);
    return running;
}
