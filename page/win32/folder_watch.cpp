#include "folder_watch.h"

#include <string_view>

#include "diarycore/pages_in_folder.h"
#include "platform/wide_text.h"

FolderWatch::~FolderWatch() { Stop(); }

void FolderWatch::Stop() {
    if (handle_ != INVALID_HANDLE_VALUE) {
        CancelIo(handle_);
        if (asking_) {
            DWORD ignored = 0;
            GetOverlappedResult(handle_, &overlapped_, &ignored, TRUE);
        }
        CloseHandle(handle_);
    }
    if (overlapped_.hEvent) CloseHandle(overlapped_.hEvent);
    handle_ = INVALID_HANDLE_VALUE;
    overlapped_ = {};
    asking_ = false;
    folder_.clear();
}

bool FolderWatch::Watch(const std::u16string& folder) {
    Stop();
    folder_ = folder;
    handle_ =
        CreateFileW(WidePointer(folder), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr);
    overlapped_.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE || !overlapped_.hEvent || !Ask()) {
        const std::u16string kept = folder;
        Stop();
        folder_ = kept;
        return false;
    }
    return true;
}

bool FolderWatch::Ask() {
    ResetEvent(overlapped_.hEvent);
    asking_ = ReadDirectoryChangesW(handle_, changes_.data(), static_cast<DWORD>(changes_.size()), FALSE,
                                    FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME, nullptr, &overlapped_,
                                    nullptr);
    return asking_;
}

bool FolderWatch::ApplyChanges(DayFileIndex& index) {
    if (!Watching()) return false;
    // Every report the system has ready, without waiting for one.
    for (;;) {
        DWORD size = 0;
        if (!GetOverlappedResult(handle_, &overlapped_, &size, FALSE)) {
            if (GetLastError() == ERROR_IO_INCOMPLETE) return true;
            Stop();
            return false;
        }
        asking_ = false;
        // No names: more changed than the buffer held.
        if (size == 0) {
            Ask();
            return false;
        }
        for (std::size_t at = 0;;) {
            const auto* change = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(changes_.data() + at);
            const std::u16string_view name(reinterpret_cast<const char16_t*>(change->FileName),
                                           change->FileNameLength / sizeof(wchar_t));
            switch (change->Action) {
            case FILE_ACTION_ADDED:
            case FILE_ACTION_RENAMED_NEW_NAME: index.Added(name); break;
            case FILE_ACTION_REMOVED:
            case FILE_ACTION_RENAMED_OLD_NAME: index.Removed(name); break;
            default: break;
            }
            if (change->NextEntryOffset == 0) break;
            at += change->NextEntryOffset;
        }
        if (!Ask()) {
            Stop();
            return false;
        }
    }
}
