// The icon in the taskbar's notification area, and the hook on a handheld taskbar that
// notes where the user pressed it.
#pragma once

#include <windows.h>

BOOL AddNotificationIcon(HWND window, HICON icon, UINT id, const wchar_t* tip);
BOOL RemoveNotificationIcon(HWND window, UINT id);
// The icon's callback (message 1025): a press or right click opens the system menu.
void HandleNotificationIcon(WPARAM iconId, LPARAM mouseMessage);

// Only a handheld has a taskbar window of class "HHTaskBar"; elsewhere nothing is hooked.
void InstallTaskbarHook();
void ReleaseTaskbarHook();
LRESULT CALLBACK TaskbarSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
