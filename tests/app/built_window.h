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
