// The diary folder's names as the system reports them changed (ReadDirectoryChangesW), so
// the page's index of day files stays true without listing the folder again: another
// program's new file, a sync tool's removal, the user's rename in the file manager.
#pragma once

#include <windows.h>

#include <array>
#include <string>

class DayFileIndex;

class FolderWatch {
public:
    FolderWatch() = default;
    ~FolderWatch();
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

    // Follows `folder` from now on. False when its changes cannot be followed: then no
    // index of it can be trusted past its listing.
    bool Watch(const std::u16string& folder);
    bool Watching() const { return handle_ != INVALID_HANDLE_VALUE; }
    const std::u16string& Folder() const { return folder_; }
    // Applies to `index` the names changed since the last call. False when more changed
    // than the system could tell, or the watch ended: the index must be listed again.
    bool ApplyChanges(DayFileIndex& index);

private:
    bool Ask();
    void Stop();

    std::u16string folder_;
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    OVERLAPPED overlapped_{};
    bool asking_ = false;
    alignas(DWORD) std::array<unsigned char, 64 * 1024> changes_{};
};
