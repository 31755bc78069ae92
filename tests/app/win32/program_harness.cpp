#include "program_harness.h"

#include <algorithm>
#include <atomic>
#include <cwchar>
#include <iterator>
#include <thread>

#include "platform/win32/window_object.h"
#include "resources/resource.h"

namespace fs = std::filesystem;

HWND FindProcessWindow(DWORD processId, const wchar_t* className) {
    for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, className, nullptr));) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && IsWindowVisible(window)) return window;
    }
    return nullptr;
}

namespace {

// The command line started in `folder` (the test's own when empty): its process, or null.
HANDLE StartProcess(std::wstring commandLine, const fs::path& folder = {}, DWORD flags = 0) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, flags, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
        return nullptr;
    }
    CloseHandle(info.hThread);
    return info.hProcess;
}

}  // namespace

fs::path TestProgramFolder() {
    std::vector<wchar_t> buffer(32768);
    DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    return fs::path(std::wstring(buffer.data(), length)).parent_path();
}

DiaryProgram::DiaryProgram(const fs::path& folder, const wchar_t* program) : exe_(folder / program) {
    std::error_code readOnly;
    fs::copy_file(TestProgramFolder() / program, exe_, fs::copy_options::skip_existing, readOnly);
    // As the zip leaves it: the diary is the program's folder.
    fs::copy_file(TestProgramFolder() / kPortableMarkerName, folder / kPortableMarkerName,
                  fs::copy_options::skip_existing, readOnly);
}

DiaryProgram::~DiaryProgram() {
    if (!process_) return;
    TerminateProcess(process_, 99);  // nothing to end when the program has ended
    WaitForSingleObject(process_, 5000);
    CloseHandle(process_);
}

bool DiaryProgram::Start(bool waitForWindow, const std::wstring& arguments, const wchar_t* windowClass) {
    process_ =
        StartProcess(L"\"" + exe_.wstring() + L"\"" + (arguments.empty() ? L"" : L" " + arguments), exe_.parent_path());
    if (!process_ || !waitForWindow) return process_ != nullptr;
    WaitForInputIdle(process_, 15000);
    for (int tries = 0; tries < 300 && WaitForSingleObject(process_, 50) == WAIT_TIMEOUT; ++tries) {
        window_ = FindProcessWindow(GetProcessId(process_), windowClass);
        if (window_) return true;
    }
    return false;
}

FileHeldElsewhere::FileHeldElsewhere(const fs::path& file) {
    const fs::path probe = TestProgramFolder() / L"probe.exe";
    process_ = StartProcess(L"\"" + probe.wstring() + L"\" --hold \"" + file.wstring() + L"\"");
    // Held once a reader that shares everything is turned away. A loaded machine can take
    // many seconds to start the holder under Wine.
    for (int tries = 0; process_ && tries < 1200 && !holding_ && WaitForSingleObject(process_, 25) == WAIT_TIMEOUT;
         ++tries) {
        HANDLE reader = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
        holding_ = reader == INVALID_HANDLE_VALUE && GetLastError() == ERROR_SHARING_VIOLATION;
        if (reader != INVALID_HANDLE_VALUE) CloseHandle(reader);
    }
}

FileHeldElsewhere::~FileHeldElsewhere() {
    if (!process_) return;
    TerminateProcess(process_, 0);
    WaitForSingleObject(process_, 5000);
    CloseHandle(process_);
}

DWORD DiaryProgram::WaitForExit(DWORD timeoutMs) {
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0) GetExitCodeProcess(process_, &code);
    return code;
}

void DiaryProgram::PressChord(std::initializer_list<WORD> keys) const {
    SetForegroundWindow(window_);
    Sleep(200);
    SendChord(keys);
}

void PressDialogButton(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void SendChord(std::initializer_list<WORD> keys) {
    // Pressed in order, let go in the reverse order.
    for (WORD key : keys) keybd_event(static_cast<BYTE>(key), 0, 0, 0);
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) {
        keybd_event(static_cast<BYTE>(*key), 0, KEYEVENTF_KEYUP, 0);
    }
}

void PumpMessages(DWORD ms) {
    DWORD start = GetTickCount();
    MSG message;
    while (GetTickCount() - start < ms) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(10);
    }
}

std::wstring WindowText(HWND window) {
    int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
    return text;
}

std::wstring ControlText(HWND control) {
    wchar_t text[256] = {};
    SendMessageW(control, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text));
    return text;
}

std::wstring TodayName(const wchar_t* extension) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    wchar_t name[32];
    swprintf(name, std::size(name), L"%04d%02d%02d.%ls", now.wYear, now.wMonth, now.wDay, extension);
    return name;
}

DWORD RunToEnd(std::wstring commandLine, const fs::path& folder, DWORD timeoutMs) {
    HANDLE process = StartProcess(std::move(commandLine), folder, CREATE_NO_WINDOW);
    if (!process) return ~0u;
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0) GetExitCodeProcess(process, &code);
    CloseHandle(process);
    return code;
}

std::vector<std::uint32_t> ScreenPixels(const RECT& rect) {
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};  // top row first
    void* bits = nullptr;
    const OwnedWindowDc screen(nullptr);
    const OwnedDc memory(CreateCompatibleDC(screen.get()));
    const OwnedBitmap bitmap(CreateDIBSection(memory.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const SelectedObject selected(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, width, height, screen.get(), rect.left, rect.top, SRCCOPY);
    GdiFlush();
    const auto* first = static_cast<const std::uint32_t*>(bits);
    return std::vector<std::uint32_t>(first, first + static_cast<std::size_t>(width) * height);
}

namespace {

std::vector<HWND> VisibleDialogs() {
    std::vector<HWND> dialogs;
    for (HWND box = nullptr; (box = FindWindowExW(nullptr, box, L"#32770", nullptr));) {
        if (IsWindowVisible(box)) dialogs.push_back(box);
    }
    return dialogs;
}

}  // namespace

void WorkDialogs(const std::function<void()>& action, const std::function<bool(HWND)>& work, bool onlyWhileActing) {
    std::vector<HWND> seen = VisibleDialogs();
    std::atomic<bool> acted = false;
    std::thread worker([&] {
        for (bool more = true; more;) {
            HWND box = nullptr;
            for (int tries = 0; tries < 200 && !box; ++tries) {
                // Read before looking: a box the action showed is closed once it returned.
                const bool over = onlyWhileActing && acted;
                for (HWND dialog : VisibleDialogs()) {
                    if (std::find(seen.begin(), seen.end(), dialog) == seen.end()) box = dialog;
                }
                if (!box && over) return;
                if (!box) Sleep(25);
            }
            if (!box) return;
            // The box's controls are filled in while it initialises.
            Sleep(100);
            seen.push_back(box);
            more = work(box);
        }
    });
    action();
    acted = true;
    worker.join();
}

namespace {

std::wstring AnswerMessages(const std::function<void()>& action, std::initializer_list<int> buttons,
                            bool onlyWhileActing) {
    std::wstring said;
    auto button = buttons.begin();
    WorkDialogs(
        action,
        [&](HWND box) {
            said += (said.empty() ? L"" : L" / ") + WindowText(box) + L"|" + WindowText(GetDlgItem(box, 0xFFFF));
            PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(*button), 0);
            return ++button != buttons.end();
        },
        onlyWhileActing);
    return said;
}

}  // namespace

std::wstring MessagesShownBy(const std::function<void()>& action, std::initializer_list<int> buttons) {
    return AnswerMessages(action, buttons, false);
}

std::wstring MessagesShownWhile(const std::function<void()>& action, std::initializer_list<int> buttons) {
    return AnswerMessages(action, buttons, true);
}

std::wstring Utf16FileText(const fs::path& path) {
    // Another program started under Wine can take many seconds on a loaded machine.
    for (int tries = 0; tries < 400 && !fs::exists(path); ++tries) Sleep(50);
    // The writer may still be closing the file.
    Sleep(100);
    std::vector<std::uint8_t> bytes = ReadFileBytes(path);
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
}

void DiaryProgram::TypeText(const std::wstring& text) const {
    HWND box = GetDlgItem(window_, IDC_TEXT_BOX);
    SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageW(window_, WM_COMMAND, MAKEWPARAM(IDC_TEXT_BOX, EN_CHANGE), reinterpret_cast<LPARAM>(box));
}
