#include "typed_password.h"

#include <fstream>
#include <iterator>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The first line of what was read, without its end.
std::string FirstLine(std::string_view text) {
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    std::string_view line = text.substr(0, text.find('\n'));
    if (line.ends_with('\r')) line.remove_suffix(1);
    return std::string(line);
}

TypedPassword Taken(std::string line) {
    if (line.empty()) return {TypedPasswordStatus::Empty, {}};
    return {TypedPasswordStatus::Ok, std::move(line)};
}

}  // namespace

TypedPassword ReadPasswordFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return {TypedPasswordStatus::CannotRead, {}};
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return {TypedPasswordStatus::CannotRead, {}};
    return Taken(FirstLine(text));
}

#ifdef _WIN32

TypedPassword AskPasswordOnTerminal(std::string_view prompt) {
    // The console itself, not the standard handles: those may be a pipe or a file.
    HANDLE in = CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
    HANDLE out = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_EXISTING, 0, nullptr);
    DWORD mode = 0;
    TypedPassword typed{TypedPasswordStatus::NoTerminal, {}};
    if (in != INVALID_HANDLE_VALUE && out != INVALID_HANDLE_VALUE && GetConsoleMode(in, &mode)) {
        DWORD written = 0;
        WriteConsoleA(out, prompt.data(), static_cast<DWORD>(prompt.size()), &written, nullptr);
        SetConsoleMode(in, (mode | ENABLE_LINE_INPUT) & ~ENABLE_ECHO_INPUT);
        std::wstring line;
        wchar_t buffer[256];
        DWORD read = 0;
        while (ReadConsoleW(in, buffer, static_cast<DWORD>(std::size(buffer)), &read, nullptr) && read > 0) {
            line.append(buffer, read);
            if (line.find(L'\n') != std::wstring::npos) break;
        }
        SetConsoleMode(in, mode);
        WriteConsoleA(out, "\r\n", 2, &written, nullptr);
        line = line.substr(0, line.find_first_of(L"\r\n"));
        std::string utf8;
        if (!line.empty()) {
            const int size = WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), nullptr, 0,
                                                 nullptr, nullptr);
            utf8.resize(static_cast<std::size_t>(size));
            WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), utf8.data(), size, nullptr,
                                nullptr);
            SecureZeroMemory(line.data(), line.size() * sizeof(wchar_t));
        }
        SecureZeroMemory(buffer, sizeof buffer);
        typed = Taken(std::move(utf8));
    }
    if (in != INVALID_HANDLE_VALUE) CloseHandle(in);
    if (out != INVALID_HANDLE_VALUE) CloseHandle(out);
    return typed;
}

#else

TypedPassword AskPasswordOnTerminal(std::string_view prompt) {
    // The controlling terminal, not stdin: a command reading a list from a pipe still asks
    // the person at the keyboard.
    const int terminal = open("/dev/tty", O_RDWR | O_CLOEXEC);
    if (terminal < 0) return {TypedPasswordStatus::NoTerminal, {}};
    termios was{};
    if (tcgetattr(terminal, &was) != 0) {
        close(terminal);
        return {TypedPasswordStatus::NoTerminal, {}};
    }
    termios quiet = was;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHOE | ECHOK);
    quiet.c_lflag |= ECHONL | ICANON;
    // Quiet first, throwing away what was typed ahead, then the prompt: whatever is typed
    // once the prompt shows is read, and never echoed.
    tcsetattr(terminal, TCSAFLUSH, &quiet);
    (void)!write(terminal, prompt.data(), prompt.size());
    std::string line;
    char c = 0;
    while (read(terminal, &c, 1) == 1 && c != '\n') line.push_back(c);
    tcsetattr(terminal, TCSANOW, &was);
    close(terminal);
    if (line.ends_with('\r')) line.pop_back();
    return Taken(std::move(line));
}

#endif
