// The diary program drawing stroke after stroke on one page, with the memory the
// process has committed measured before and after: what the page keeps for undo and
// redo must stay under 5 MB however many strokes are drawn and taken back. The strokes
// are the window's own mouse messages, each a different line across the picture. The
// numbers go to "undo-memory.txt" in the data folder; then the program ends.
// Run it from a folder of its own.
#include <windows.h>
#include <psapi.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <span>
#include <string>

#include "resources/resource.h"
#include "app/win32/shell_state.h"
#include "app/win32/startup.h"
#include "platform/file_write.h"

namespace {

double CommittedMb() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return static_cast<double>(counters.PagefileUsage) / (1024.0 * 1024.0);
}

void DrawStroke(int n) {
    const int t = g_shell.commandBarHeight;
    HWND window = g_shell.mainWindow;
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(345, t + 21 + (n * 7) % 150));
    SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(470, t + 100 + (n * 5) % 70));
    SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(595, t + 170 - (n * 3) % 140));
    SendMessageW(window, WM_LBUTTONUP, 0, 0);
}

void Repeat(int times, WPARAM command) {
    for (int i = 0; i < times; ++i) SendMessageW(g_shell.mainWindow, WM_COMMAND, command, 0);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previousInstance, PWSTR, int showCommand) {
    if (!StartProgram(instance, previousInstance, showCommand)) return 1;
    const double start = CommittedMb();
    for (int n = 0; n < 100; ++n) DrawStroke(n);
    const double after100 = CommittedMb() - start;
    for (int n = 100; n < 400; ++n) DrawStroke(n);
    const double after400 = CommittedMb() - start;
    Repeat(100, IDM_UNDO);
    Repeat(50, IDM_REDO);
    const double afterUndoRedo = CommittedMb() - start;

    char text[200];
    std::snprintf(text, sizeof text, "strokes_100_mb %.3f\nstrokes_400_mb %.3f\nundo_redo_mb %.3f\n", after100,
                  after400, afterUndoRedo);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text);
    return WriteFileSafely(std::filesystem::path(g_shell.dataFolder + u"\\undo-memory.txt"),
                           std::span(bytes, std::strlen(text))) == WriteStatus::Ok
               ? 0
               : 3;
}
