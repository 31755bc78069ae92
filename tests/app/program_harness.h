// Drives the real diary program the way a user would: a fresh data folder with its own
// copy of the program, its window, commands and keys, its message boxes and its files.
#pragma once

#include <windows.h>

#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>

struct MessageBoxSeen {
    HWND window = nullptr;
    std::wstring caption;
    std::wstring text;
};

// The folder that holds the test program and the copy of the diary program beside it.
std::filesystem::path TestProgramFolder();

// A folder under the system's temporary folder, removed with everything in it.
class TemporaryFolder {
public:
    explicit TemporaryFolder(const std::wstring& nameHint = L"doodle");
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

class DiaryProgram {
public:
    // Copies the program into `folder` (its data folder); nothing runs yet.
    explicit DiaryProgram(const std::filesystem::path& folder);
    ~DiaryProgram();   // ends the program if a test left it running
    DiaryProgram(const DiaryProgram&) = delete;
    DiaryProgram& operator=(const DiaryProgram&) = delete;

    // Starts the program; true once its main window is visible.
    bool Start(DWORD timeoutMs = 15000);
    // Starts the program without waiting for a window (for starts that must not make one).
    bool Launch();

    HWND Window() const { return window_; }
    DWORD ProcessId() const { return processId_; }
    // The exit code, or STILL_ACTIVE when the program has not ended in time.
    DWORD WaitForExit(DWORD timeoutMs = 10000);

    void PostCommand(WPARAM wParam) const;
    void PostClose() const;
    // Presses the keys together and lets them go, through the real input queue so that
    // the program's accelerator table sees them as the user's keys.
    void PressChord(std::initializer_list<WORD> keys) const;
    std::optional<MessageBoxSeen> WaitForMessageBox(DWORD timeoutMs = 10000) const;
    std::filesystem::path Folder() const { return folder_; }

private:
    std::filesystem::path folder_;
    std::filesystem::path exe_;
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
    HWND window_ = nullptr;
};

// A visible top-level window of the process with the class, or null.
HWND FindProcessWindow(DWORD processId, const wchar_t* className);
// Presses a dialog's button as a click would.
void PressDialogButton(HWND dialog, int buttonId);
// Keys pressed together and released, sent to whichever window has the focus.
void SendChord(std::initializer_list<WORD> keys);
// Lets this thread's windows handle what is queued, for about `ms` milliseconds.
void PumpMessages(DWORD ms);
std::wstring WindowText(HWND window);
// The text of a UTF-16 file that another program writes, once the file is there (it is
// waited for up to `timeoutMs`); empty when it never came.
std::wstring Utf16FileText(const std::filesystem::path& path, DWORD timeoutMs = 5000);
