// The icon in the taskbar's notification area, and the hook on a handheld taskbar.
#pragma once

#include <windows.h>

void AddNotificationIcon(HWND window, HICON icon, UINT id, const wchar_t* tip);
void RemoveNotificationIcon(HWND window, UINT id);
void HandleNotificationIcon(WPARAM wParam, LPARAM lParam);
void InstallTaskbarHook();
void ReleaseTaskbarHook();
