#include "dialog_placement.h"

#include <algorithm>

namespace {

RECT WorkAreaNear(HWND window) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) return monitor.rcWork;
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

}  // namespace

void PlaceDialog(HWND dialog, int width, int height) {
    HWND owner = GetWindow(dialog, GW_OWNER);
    // A minimised window's monitor is the one it was on before.
    const RECT work = WorkAreaNear(owner ? owner : dialog);
    width = std::min<int>(width, work.right - work.left);
    height = std::min<int>(height, work.bottom - work.top);
    // A minimised owner's rectangle is its icon's, at the screen's edge or beyond it.
    RECT over = work;
    if (owner && IsWindowVisible(owner) && !IsIconic(owner)) GetWindowRect(owner, &over);
    const int x = over.left + ((over.right - over.left) - width) / 2;
    const int y = over.top + ((over.bottom - over.top) - height) / 2;
    MoveWindow(dialog, std::clamp<int>(x, work.left, work.right - width),
               std::clamp<int>(y, work.top, work.bottom - height), width, height, FALSE);
}

void PlaceDialog(HWND dialog) {
    RECT frame{};
    GetWindowRect(dialog, &frame);
    PlaceDialog(dialog, frame.right - frame.left, frame.bottom - frame.top);
}
