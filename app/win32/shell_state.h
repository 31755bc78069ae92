// Process-wide values of the application shell, set at start-up and by window
// construction, read only by the shell. The page's own objects are the main window's
// DiaryWindow (diary_window.h).
#pragma once

#include <windows.h>

#include <string>

#include "app/diary_place.h"
#include "app/zoom_choice.h"
#include "platform/program_language.h"
#include "platform/win32/window_object.h"

// Its objects are released in the close sequence (CloseProgram); any left at exit go with
// it, the command bar before its pictures and the drawing menu before its cascades.
struct ShellState {
    ShellState() = default;
    ShellState(const ShellState&) = delete;
    ShellState& operator=(const ShellState&) = delete;
    ~ShellState();

    HINSTANCE instance = nullptr;
    std::u16string programFolder;      // the executable's folder, no trailing backslash
    std::u16string dataFolder;         // the diary's folder, no trailing backslash
    DiaryPlace diaryPlace;             // how the diary's folder was found
    HBRUSH backgroundBrush = nullptr;  // white stock brush
    bool tallScreen = false;
    int windowX = 0;
    int windowY = 0;
    DWORD windowStyle = 0;
    int windowWidth = 640;          // the client area: 640 x zoom
    int contentHeight = 214;        // t + 214 x zoom once the window is built
    int commandBarHeight = 0;       // t at the page's zoom; 0 in the 240-line layout
    CommandBarSize commandBarAt1x;  // the bar with its 1x images, from which it grows with the zoom
    HACCEL accelerators = nullptr;
    bool altChordTaken = false;       // an Alt+key accelerator ran and Alt may still be down
    HWND mainWindow = nullptr;        // stored only after CreateWindowExW returns
    OwnedWindow statusStrip;          // modeless status dialog, made with the window
    OwnedBitmap toolbarButtons;       // the other buttons' 1x pictures, in the system's button colours
    OwnedBitmap colourButtons;        // the colour button's pictures, one per pen colour
    OwnedImageList commandBarImages;  // both made as large as the page's zoom asks
    OwnedWindow commandBar;           // tall-screen layout only
    int firstColourButtonImage = 0;   // the colour pictures' first index among the command bar's images
    OwnedIcon smallIcon;
    OwnedIcon largeIcon;                     // the desktop's task switcher and taskbar
    HWND focusBeforeDeactivation = nullptr;  // the control that gets the keys back

    // Menus. The system menu is the first pop-up of the resource menu; the drawing menu
    // holds the colour, width and pen-type menus as cascades.
    OwnedMenu systemMenuResource;
    OwnedMenu moodMenu;
    OwnedMenu weatherMenu;
    OwnedMenu colourMenu;
    OwnedMenu widthMenu;
    OwnedMenu penTypeMenu;
    OwnedMenu drawingMenu;

    // What the View menu's Language items chose; the shown language follows from it.
    LanguageChoice languageChoice = LanguageChoice::FollowSystem;

    // The cascades are destroyed on their own: detached from the drawing menu first, so
    // that destroying it does not free them a second time.
    void DetachDrawingCascades();
};

extern ShellState g_shell;
