// The program's main window built inside the test process, once per process, on
// whatever screen the test runs on, so tests can look at every object it made.
#pragma once

#include <windows.h>

#include <vector>

// The main window, built on first use from a fresh data folder; nullptr when it could
// not be made. The program's resources must be linked into the test program.
HWND BuildWindowOnce();

// Every WM_COMMAND the main window was given, oldest first; tests clear it as they like.
extern std::vector<WPARAM> g_commandsSeen;

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <thread>

// Answers the next visible dialogs of this process (message boxes) from another thread,
// one button each, in turn, and tells what they said as "caption|text", several joined
// by " / "; empty when none came.
class MessageBoxAnswer {
public:
    explicit MessageBoxAnswer(std::initializer_list<int> buttons = {IDOK});
    explicit MessageBoxAnswer(int button) : MessageBoxAnswer({button}) {}
    ~MessageBoxAnswer();
    MessageBoxAnswer(const MessageBoxAnswer&) = delete;
    MessageBoxAnswer& operator=(const MessageBoxAnswer&) = delete;
    std::wstring Seen();

private:
    std::vector<int> buttons_;
    std::wstring seen_;
    std::thread thread_;
};

// The whole file, or nothing when it cannot be read.
std::vector<std::uint8_t> FileBytes(const std::filesystem::path& path);

// Folders made by tests/app/with_troubled_folders.sh, named in the environment:
// "DOODLE_FULL_FOLDER" (a tiny file system) and "DOODLE_READONLY_FOLDER" (a read-only
// mount holding an older picture and record of 6 December 2026). Nothing when the test
// runs without the script.
std::optional<std::filesystem::path> TroubledFolder(const char* variable);

#include <functional>

// A pop-up menu seen open: its window rectangle on the screen.
struct OpenedMenu {
    bool seen = false;
    RECT rect{};
};

// Runs `action` (which may open a pop-up menu and wait in its modal loop) and pumps
// messages for `ms`; a timer inside the menu loop notes the first pop-up that opened and
// closes it again.
OpenedMenu WatchForMenu(DWORD ms, const std::function<void()>& action = [] {});

// A real left click at a screen point.
void ClickAt(POINT screen);
POINT CentreOf(const RECT& rect);
