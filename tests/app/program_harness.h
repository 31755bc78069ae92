// Drives programs the way a user would: a fresh data folder with its own copy of the
// program, its window, commands and keys, its dialogs and its files.
#pragma once

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

// The folder that holds the test program and the copies of the programs beside it.
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

// A copy of the program, or of another one from beside the tests, in a folder of its own.
class DiaryProgram {
public:
    explicit DiaryProgram(const std::filesystem::path& folder, const wchar_t* program = L"doodlebinder.exe");
    // The program already in the folder, as a user's copy is: nothing is copied.
    static DiaryProgram InPlace(const std::filesystem::path& exe) { return DiaryProgram(InPlaceTag{}, exe); }
    ~DiaryProgram();   // ends the program if a test left it running
    DiaryProgram(const DiaryProgram&) = delete;
    DiaryProgram& operator=(const DiaryProgram&) = delete;

    // Starts the program; true once its main window is visible, or once it runs when the
    // start must not make a window.
    bool Start(bool waitForWindow = true);
    HWND Window() const { return window_; }
    // The exit code, or STILL_ACTIVE when the program has not ended in time.
    DWORD WaitForExit(DWORD timeoutMs = 10000);
    void PostCommand(WPARAM wParam) const { PostMessageW(window_, WM_COMMAND, wParam, 0); }
    void PostClose() const { PostMessageW(window_, WM_CLOSE, 0, 0); }
    // The keys pressed together in the program's window, as the user's keys.
    void PressChord(std::initializer_list<WORD> keys) const;

private:
    struct InPlaceTag {};
    DiaryProgram(InPlaceTag, const std::filesystem::path& exe) : exe_(exe) {}
    std::filesystem::path exe_;
    HANDLE process_ = nullptr;
    HWND window_ = nullptr;
};

// Another program holding a file open without sharing, as a backup or sync tool does,
// from construction until the object goes (probe.exe, beside the test program).
class FileHeldElsewhere {
public:
    explicit FileHeldElsewhere(const std::filesystem::path& file);
    ~FileHeldElsewhere();
    FileHeldElsewhere(const FileHeldElsewhere&) = delete;
    FileHeldElsewhere& operator=(const FileHeldElsewhere&) = delete;
    bool Holding() const { return holding_; }

private:
    HANDLE process_ = nullptr;
    bool holding_ = false;
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
// An edit control's text, also in another process (GetWindowText gives only captions there).
std::wstring ControlText(HWND control);
// The name the diary gives today's file with the extension, as in "20261207.dbt".
std::wstring TodayName(const wchar_t* extension);
// Runs the command line in `folder` (the test's own when empty) to its end: the exit
// code, STILL_ACTIVE when it has not ended in time, ~0 when it could not start.
DWORD RunToEnd(std::wstring commandLine, const std::filesystem::path& folder = {}, DWORD timeoutMs = 30000);
// A rectangle as one value that compares and prints: left, top, right, bottom.
inline std::tuple<LONG, LONG, LONG, LONG> Edges(const RECT& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

// Runs `action`, which may wait in modal dialogs of this or another program, while
// another thread hands each dialog box that becomes visible to `work`, in turn, until
// `work` returns false or no new box comes within five seconds.
void WorkDialogs(const std::function<void()>& action, const std::function<bool(HWND)>& work);
// What the message boxes that `action` brings said, as "caption|text", several joined by
// " / ", answered in turn with `buttons`; empty when none came.
std::wstring MessagesShownBy(const std::function<void()>& action, std::initializer_list<int> buttons = {IDOK});

// A host folder named in the environment variable, as tests/app/with_troubled_folders.sh
// and tests/package/package_test.sh name theirs, or nothing when the test runs without.
std::optional<std::filesystem::path> TroubledFolder(const char* variable);

// The whole file, or nothing when it cannot be read.
std::vector<std::uint8_t> FileBytes(const std::filesystem::path& path);
// The text of a UTF-16 file that another program writes, waited for up to five seconds.
std::wstring Utf16FileText(const std::filesystem::path& path);
