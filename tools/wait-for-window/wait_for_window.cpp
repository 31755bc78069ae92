// wait-for-window CLASS [SECONDS]
// Waits until a visible top-level window of the class is up and its program has painted
// it and waits for input; exit code 0 then, 1 when none came in time (default 60 s).
// Scripts use it instead of a fixed sleep: a program's first start under Wine may take
// much longer than the next ones.
#include <windows.h>

#include <cwchar>
#include <cstdio>

namespace {

HWND FindVisibleWindow(const wchar_t* className) {
    for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, className, nullptr));) {
        if (IsWindowVisible(window)) return window;
    }
    return nullptr;
}

// The window's own thread has handled everything queued to it, its painting included.
void WaitUntilSettled(HWND window, DWORD timeoutMs) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId)) {
        WaitForInputIdle(process, timeoutMs);
        CloseHandle(process);
    }
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &ignored);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        fwprintf(stderr, L"usage: wait-for-window CLASS [SECONDS]\n");
        return 2;
    }
    long seconds = argc > 2 ? std::wcstol(argv[2], nullptr, 10) : 60;
    if (seconds <= 0) seconds = 60;
    const DWORD deadline = GetTickCount() + static_cast<DWORD>(seconds) * 1000;
    for (;;) {
        if (HWND window = FindVisibleWindow(argv[1])) {
            WaitUntilSettled(window, 10000);
            return 0;
        }
        if (static_cast<LONG>(GetTickCount() - deadline) >= 0) return 1;
        Sleep(100);
    }
}
