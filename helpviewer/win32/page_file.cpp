#include "page_file.h"

#include <windows.h>

namespace {

PageFileStatus ReadOpenFile(HANDLE file, std::vector<std::uint8_t>& bytes) {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size)) return PageFileStatus::CannotRead;
    if (static_cast<std::uint64_t>(size.QuadPart) > kLargestHelpPage) return PageFileStatus::TooLarge;
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        if (!ReadFile(file, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &got, nullptr))
            return PageFileStatus::CannotRead;
        if (got == 0) break;  // the file was cut short meanwhile: show what there is
        done += got;
    }
    bytes.resize(done);
    return PageFileStatus::Ok;
}

}  // namespace

PageFileStatus ReadPageFile(const std::wstring& path, std::vector<std::uint8_t>& bytes) {
    // Every kind of sharing: neither a writer that is replacing the page nor this
    // reader has to wait for the other.
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return PageFileStatus::CannotOpen;
    PageFileStatus status = ReadOpenFile(file, bytes);
    CloseHandle(file);
    if (status != PageFileStatus::Ok) bytes.clear();
    return status;
}
