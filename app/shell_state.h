// Process-wide values of the application shell, set at start-up and by window
// construction, read only by the shell. The page's own objects are the main window's
// DiaryWindow (diary_window.h).
#pragma once

#include <windows.h>

#include <string>

struct ShellState {
    HINSTANCE instance = nullptr;
    std::u16string dataFolder;         // the executable's folder, no trailing backslash
    HBRUSH backgroundBrush = nullptr;  // white stock brush
    bool tallScreen = false;
    int windowX = 0;
    int windowY = 0;
    DWORD windowStyle = 0;
    int windowWidth = 640;     // the client area: 640 x zoom
    int contentHeight = 214;   // t + 214 x zoom once the window is built
    int commandBarHeight = 0;  // t; 0 in the 240-line layout
    HACCEL accelerators = nullptr;
    bool altChordTaken = false;       // an Alt+key accelerator ran and Alt may still be down
    HWND mainWindow = nullptr;        // stored only after CreateWindowExW returns
    HWND statusStrip = nullptr;       // modeless status dialog, made with the window
    HWND commandBar = nullptr;        // tall-screen layout only
    HBITMAP colourButtons = nullptr;  // the colour button's pictures, one per pen colour
    int firstColourButtonImage = 0;   // their first index among the command bar's images
    HICON smallIcon = nullptr;
    HICON largeIcon = nullptr;               // the desktop's task switcher and taskbar
    HWND focusBeforeDeactivation = nullptr;  // the control that gets the keys back

    // Menus. The system menu is the first pop-up of the resource menu; the drawing menu
    // holds the colour, width and pen-type menus as cascades.
    HMENU systemMenuResource = nullptr;
    HMENU moodMenu = nullptr;
    HMENU weatherMenu = nullptr;
    HMENU colourMenu = nullptr;
    HMENU widthMenu = nullptr;
    HMENU penTypeMenu = nullptr;
    HMENU drawingMenu = nullptr;
};

extern ShellState g_shell;
