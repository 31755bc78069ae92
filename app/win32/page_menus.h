// The pop-up menus built at run time, as data.
#pragma once

#include <windows.h>

struct MenuItemSpec {
    UINT id;
    UINT label;  // its text in the string table; 0 for a separator
    UINT flags;
};

// Makes the six run-time pop-ups into g_shell: mood, weather, line width, pen type,
// colour, and the drawing menu that holds Undo and Redo and the last three as cascades.
void BuildPopupMenus();

struct DiaryWindow;
class PageView;

// The check marks of the menus, from the page and the view, so no menu keeps a state of
// its own: picture saving, ruled lines and the zoom in the menu bar and the system menu,
// the pen's width and type in theirs.
void MarkMenus(const DiaryWindow& diary);
// WM_INITMENUPOPUP: the marks, and greyed what cannot be done now: Undo and Redo with
// nothing to take back or bring back, the weather and mood while the day's record cannot
// be read, zooms the monitor has no room for (every zoom in the 240-line layout), the lock
// commands that do not fit the diary as it is (locked or plain).
void PrepareMenu(HMENU menu, const DiaryWindow& diary);
// The command bar's colour button shows the pen's colour (tall layout only).
void ShowPenColourOnButton(const PageView& view);
