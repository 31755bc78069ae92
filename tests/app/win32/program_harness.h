// Drives programs the way a user would: their windows, commands, keys, dialogs and files.
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

#include "app/diary_place.h"
#include "support/scratch_files.h"

// The folder that holds the test program and the copies of the programs beside it.
std::filesystem::path TestProgramFolder();

// A copy of the program, or of another one from beside the tests, in a folder of its own;
// a program already in the folder, as a user's copy is, is the one started.
class DiaryProgram {
public:
    explicit DiaryProgram(const std::filesystem::path& folder, const wchar_t* program = L"doodlebinder.exe");
    ~DiaryProgram();  // ends the program if a test left it running
    DiaryProgram(const DiaryProgram&) = delete;
    DiaryProgram& operator=(const DiaryProgram&) = delete;

    // Starts the program with the arguments; true once it runs and, when waited for, its
    // window of the class is visible.
    bool Start(bool waitForWindow = true, const std::wstring& arguments = {},
               const wchar_t* windowClass = L"DOODLE_BINDER");
    HWND Window() const { return window_; }
    // The exit code, or STILL_ACTIVE when the program has not ended in time.
    DWORD WaitForExit(DWORD timeoutMs = 10000);
    void PostCommand(WPARAM wParam) const { PostMessageW(window_, WM_COMMAND, wParam, 0); }
    void PostClose() const { PostMessageW(window_, WM_CLOSE, 0, 0); }
    // The text box holds `text` as after the user's typing, and tells the window so.
    void TypeText(const std::wstring& text) const;
    // The keys pressed together in the program's window, as the user's keys.
    void PressChord(std::initializer_list<WORD> keys) const;

private:
    std::filesystem::path exe_;
    HANDLE process_ = nullptr;
    HWND window_ = nullptr;
};

// Another program (probe.exe) holding a file open without sharing while the object lives.
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
// Runs the command line in `folder` (or here) to its end: the exit code, STILL_ACTIVE when
// it has not ended in time, ~0 when it could not start.
DWORD RunToEnd(std::wstring commandLine, const std::filesystem::path& folder = {}, DWORD timeoutMs = 30000);
// The screen's pixels inside `rect`, row after row from the top, each 0x00RRGGBB.
std::vector<std::uint32_t> ScreenPixels(const RECT& rect);
// A rectangle as one value that compares and prints: left, top, right, bottom.
inline std::tuple<LONG, LONG, LONG, LONG> Edges(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// Runs `action` while another thread hands each dialog box that becomes visible to `work`,
// until `work` returns false or no new box comes within five seconds. An action of this
// process whose boxes can come only before it returns says so with `onlyWhileActing`: no
// wait once it returned.
void WorkDialogs(const std::function<void()>& action, const std::function<bool(HWND)>& work,
                 bool onlyWhileActing = false);
// What the message boxes `action` brings said, "caption|text" joined by " / ", answered in
// turn with `buttons`; empty when none came.
std::wstring MessagesShownBy(const std::function<void()>& action, std::initializer_list<int> buttons = {IDOK});
// The same for an action of this process that shows its boxes before it returns.
std::wstring MessagesShownWhile(const std::function<void()>& action, std::initializer_list<int> buttons = {IDOK});

// The text of a UTF-16 file that another program writes, waited for up to twenty seconds.
std::wstring Utf16FileText(const std::filesystem::path& path);
