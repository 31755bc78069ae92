#include "program_harness.h"

#include <fstream>
#include <iterator>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr wchar_t kProgramName[] = L"doodlebinder.exe";
constexpr wchar_t kMainClass[] = L"DOODLE_BINDER";

}  // namespace

HWND FindProcessWindow(DWORD processId, const wchar_t* className) {
    for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, className, nullptr));) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && IsWindowVisible(window)) return window;
    }
    return nullptr;
}

fs::path TestProgramFolder() {
    std::vector<wchar_t> buffer(32768);
    DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    return fs::path(std::wstring(buffer.data(), length)).parent_path();
}

TemporaryFolder::TemporaryFolder(const std::wstring& nameHint) {
    static unsigned counter = 0;
    fs::path base = fs::temp_directory_path();
    for (;;) {
        path_ = base / (nameHint + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(counter++));
        std::error_code error;
        if (fs::create_directories(path_, error)) break;
    }
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

DiaryProgram::DiaryProgram(const fs::path& folder) : folder_(folder), exe_(folder / kProgramName) {
    fs::copy_file(TestProgramFolder() / kProgramName, exe_, fs::copy_options::overwrite_existing);
}

DiaryProgram::~DiaryProgram() {
    if (process_) {
        if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_, 99);
            WaitForSingleObject(process_, 5000);
        }
        CloseHandle(process_);
    }
}

bool DiaryProgram::Launch() {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    std::wstring commandLine = L"\"" + exe_.wstring() + L"\"";
    if (!CreateProcessW(exe_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder_.c_str(), &startup, &info)) {
        return false;
    }
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    processId_ = info.dwProcessId;
    return true;
}

bool DiaryProgram::Start(DWORD timeoutMs) {
    if (!Launch()) return false;
    WaitForInputIdle(process_, timeoutMs);
    for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
        window_ = FindProcessWindow(processId_, kMainClass);
        if (window_) return true;
        if (WaitForSingleObject(process_, 50) == WAIT_OBJECT_0) return false;
    }
    return false;
}

DWORD DiaryProgram::WaitForExit(DWORD timeoutMs) {
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0) GetExitCodeProcess(process_, &code);
    return code;
}

void DiaryProgram::PostCommand(WPARAM wParam) const {
    PostMessageW(window_, WM_COMMAND, wParam, 0);
}

void DiaryProgram::PostClose() const {
    PostMessageW(window_, WM_CLOSE, 0, 0);
}

void DiaryProgram::PressChord(std::initializer_list<WORD> keys) const {
    SetForegroundWindow(window_);
    Sleep(200);
    SendChord(keys);
}

std::optional<MessageBoxSeen> DiaryProgram::WaitForMessageBox(DWORD timeoutMs) const {
    for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
        if (HWND box = FindProcessWindow(processId_, L"#32770")) {
            // The text static is filled in while the box initialises.
            Sleep(200);
            return MessageBoxSeen{box, WindowText(box), WindowText(GetDlgItem(box, 0xFFFF))};
        }
        if (WaitForSingleObject(process_, 50) == WAIT_OBJECT_0) return std::nullopt;
    }
    return std::nullopt;
}

void PressDialogButton(HWND dialog, int buttonId) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId)));
}

void SendChord(std::initializer_list<WORD> keys) {
    std::vector<INPUT> inputs;
    for (WORD key : keys) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        inputs.push_back(input);
    }
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = *key;
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
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

std::wstring Utf16FileText(const fs::path& path, DWORD timeoutMs) {
    for (DWORD waited = 0; waited < timeoutMs && !fs::exists(path); waited += 50) Sleep(50);
    // The writer may still be closing the file.
    Sleep(100);
    std::ifstream file(path, std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
}
