// control_point CLASS ID
// Prints "X Y", the screen point at the middle of control ID of the window of the class,
// for a script to click there with the X server's mouse; exit code 1 when there is none.
#include <windows.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    HWND window = FindWindowW(argv[1], nullptr);
    HWND control = window ? GetDlgItem(window, static_cast<int>(std::wcstol(argv[2], nullptr, 10))) : nullptr;
    RECT rect{};
    if (!control || !GetWindowRect(control, &rect)) return 1;
    std::printf("%ld %ld\n", (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    return 0;
}
