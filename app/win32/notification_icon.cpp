#include "notification_icon.h"

#include <shellapi.h>

#include <cwchar>

#include "platform/win32/loaded_text.h"
#include "platform/wide_text.h"
#include "resources/resource.h"
#include "shell_state.h"

namespace {

// The hooked window's property that leads its hook to the TaskbarHook it notes presses in.
constexpr wchar_t kHookProperty[] = L"DoodlebinderTaskbarHook";

NOTIFYICONDATAW IconRecord(HWND window, UINT id) {
    NOTIFYICONDATAW record{};
    record.cbSize = sizeof(record);
    record.hWnd = window;
    record.uID = id;
    return record;
}

// Where the icon's menu opens: at the press on a hooked taskbar, else at the mouse.
POINT NotificationMenuPoint(const TaskbarHook& taskbar) {
    if (taskbar.previousProc) return taskbar.lastPress;
    POINT cursor{};
    GetCursorPos(&cursor);
    return cursor;
}

}  // namespace

BOOL AddNotificationIcon(HWND window, HICON icon, UINT id, const wchar_t* tip) {
    NOTIFYICONDATAW record = IconRecord(window, id);
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record.uCallbackMessage = WM_NOTIFICATION_ICON;
    record.hIcon = icon;
    if (tip) wcsncpy(record.szTip, tip, std::size(record.szTip) - 1);
    return Shell_NotifyIconW(NIM_ADD, &record);
}

BOOL RemoveNotificationIcon(HWND window, UINT id) {
    NOTIFYICONDATAW record = IconRecord(window, id);
    return Shell_NotifyIconW(NIM_DELETE, &record);
}

void ShowProgramNotificationIcon(HWND window) {
    AddNotificationIcon(window, g_shell.smallIcon.get(), IDI_DOODLEBINDER,
                        WidePointer(LoadText(g_shell.instance, IDS_NOTIFICATION_TIP)));
}

void RetitleProgramNotificationIcon(HWND window) {
    NOTIFYICONDATAW record = IconRecord(window, IDI_DOODLEBINDER);
    record.uFlags = NIF_TIP;
    const std::u16string tip = LoadText(g_shell.instance, IDS_NOTIFICATION_TIP);
    wcsncpy(record.szTip, WidePointer(tip), std::size(record.szTip) - 1);
    Shell_NotifyIconW(NIM_MODIFY, &record);
}

bool IsTaskbarCreatedMessage(UINT message) {
    // Registered once, before the shell can next restart; 0 means registration failed.
    static const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    return taskbarCreated != 0 && message == taskbarCreated;
}

void HandleNotificationIcon(const TaskbarHook& taskbar, WPARAM iconId, LPARAM mouseMessage) {
    if (iconId != IDI_DOODLEBINDER) return;
    if (mouseMessage != WM_LBUTTONDOWN && mouseMessage != WM_RBUTTONUP) return;
    POINT point = NotificationMenuPoint(taskbar);
    // A notification menu closes on a click elsewhere only when its window is in front
    // and a message follows the menu.
    SetForegroundWindow(g_shell.mainWindow);
    TrackPopupMenuEx(GetSubMenu(g_shell.systemMenuResource.get(), 0), TPM_BOTTOMALIGN, point.x, point.y,
                     g_shell.mainWindow, nullptr);
    PostMessageW(g_shell.mainWindow, WM_NULL, 0, 0);
}

LRESULT CALLBACK TaskbarSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* hook = static_cast<TaskbarHook*>(GetPropW(window, kHookProperty));
    if (!hook) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_LBUTTONDOWN) {
        POINT press{LOWORD(lParam), HIWORD(lParam)};
        ClientToScreen(window, &press);
        hook->lastPress = press;
    }
    return CallWindowProcW(hook->previousProc, window, message, wParam, lParam);
}

void InstallTaskbarHook(TaskbarHook& taskbar) {
    HWND bar = FindWindowW(L"HHTaskBar", nullptr);
    HWND child = bar ? GetWindow(bar, GW_CHILD) : nullptr;
    if (!child) return;
    SetPropW(child, kHookProperty, &taskbar);
    auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TaskbarSubclassProc)));
    if (!previous) {  // another process's window cannot be hooked
        RemovePropW(child, kHookProperty);
        return;
    }
    taskbar.window = child;
    taskbar.previousProc = previous;
}

void ReleaseTaskbarHook(TaskbarHook& taskbar) {
    if (taskbar.window && IsWindow(taskbar.window)) {
        SetWindowLongPtrW(taskbar.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(taskbar.previousProc));
        RemovePropW(taskbar.window, kHookProperty);
    }
    taskbar.window = nullptr;
    taskbar.previousProc = nullptr;
    taskbar.lastPress = {};
}

TaskbarHook::~TaskbarHook() { ReleaseTaskbarHook(*this); }
