// The pop-up menus built at run time, as data.
#pragma once

#include <windows.h>

struct MenuItemSpec {
    UINT id;
    const wchar_t* label;
    UINT flags;
};

// Makes the six run-time pop-ups into g_shell: mood, weather, line width, pen type,
// colour, and the drawing menu that holds Undo and Redo and the last three as cascades.
void BuildPopupMenus();

// A menu about to open: in the drawing menu Undo and Redo are greyed when there is nothing
// to take back or bring back; the weather and mood menus are greyed while the day's
// record cannot be read. Other menus are left as they are.
void GreyMenuItems(HMENU menu);
