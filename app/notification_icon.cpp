#include "notification_icon.h"

// The notification icon arrives with the window's icon.
void AddNotificationIcon(HWND, HICON, UINT, const wchar_t*) {}
void RemoveNotificationIcon(HWND, UINT) {}
void HandleNotificationIcon(WPARAM, LPARAM) {}
void InstallTaskbarHook() {}
void ReleaseTaskbarHook() {}
