// control_point CLASS ID
// Prints "X Y", the screen point at the middle of control ID of the window of the class,
// for a script to click there with the X server's mouse; exit code 1 when there is none.
// ID 0 prints "X Y WIDTH HEIGHT", the window's client area on the screen.
#include <windows.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    HWND window = FindWindowW(argv[1], nullptr);
    const int id = static_cast<int>(std::wcstol(argv[2], nullptr, 10));
    RECT rect{};
    if (window && id == 0 && GetClientRect(window, &rect)) {
        POINT origin{0, 0};
        ClientToScreen(window, &origin);
        std::printf("%ld %ld %ld %ld\n", origin.x, origin.y, rect.right, rect.bottom);
        return 0;
    }
    HWND control = window ? GetDlgItem(window, id) : nullptr;
    if (!control || !GetWindowRect(control, &rect)) return 1;
    std::printf("%ld %ld\n", (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    return 0;
}
