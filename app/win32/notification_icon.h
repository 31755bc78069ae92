// The icon in the taskbar's notification area, and the hook on a handheld taskbar that
// notes where the user pressed it.
#pragma once

#include <windows.h>

BOOL AddNotificationIcon(HWND window, HICON icon, UINT id, const wchar_t* tip);
BOOL RemoveNotificationIcon(HWND window, UINT id);
// The program's own icon (id 103, its small icon and tip): at start-up, and again when
// the shell has restarted and lost every icon.
void ShowProgramNotificationIcon(HWND window);
// Gives the icon its tip in the shown language.
void RetitleProgramNotificationIcon(HWND window);
// The shell's broadcast after it (re)starts; its number is known only at run time.
bool IsTaskbarCreatedMessage(UINT message);

// The hook on a handheld's taskbar, kept with the main window: the taskbar's window, its
// own procedure, and where it was last pressed. Released, if it was not before, when it goes.
struct TaskbarHook {
    TaskbarHook() = default;
    TaskbarHook(const TaskbarHook&) = delete;
    TaskbarHook& operator=(const TaskbarHook&) = delete;
    ~TaskbarHook();

    HWND window = nullptr;
    WNDPROC previousProc = nullptr;
    POINT lastPress{};  // screen point of the last press on the taskbar
};

// The icon's callback (message 1025): a press or right click opens the system menu, at
// the last press on a hooked taskbar, else at the mouse.
void HandleNotificationIcon(const TaskbarHook& taskbar, WPARAM iconId, LPARAM mouseMessage);

// Only a handheld has a taskbar window of class "HHTaskBar"; elsewhere nothing is hooked.
void InstallTaskbarHook(TaskbarHook& taskbar);
void ReleaseTaskbarHook(TaskbarHook& taskbar);
LRESULT CALLBACK TaskbarSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
