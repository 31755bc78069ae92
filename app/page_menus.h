// The pop-up menus built at run time and the place list, as data.
#pragma once

#include <windows.h>

struct MenuItemSpec {
    UINT id;
    const wchar_t* label;
    UINT flags;
};

// The place codes in list order: the index is what the day record stores.
extern const wchar_t* const kPlaceCodes[8];

// Makes the six run-time pop-ups into g_shell: mood, weather, line width, pen type,
// colour, and the drawing menu that holds the last three as cascades.
void BuildPopupMenus();
