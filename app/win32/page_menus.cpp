#include "page_menus.h"

#include <commctrl.h>

#include <algorithm>

#include "app/win32/look_back.h"
#include "diary_lock.h"
#include "diary_window.h"
#include "page/win32/pens.h"
#include "platform/win32/loaded_text.h"
#include "platform/wide_text.h"
#include "resources/resource.h"
#include "shell_state.h"
#include "window_zoom.h"
#include "app/idle_lock_choice.h"
#include "app/zoom_choice.h"

namespace {

constexpr MenuItemSpec kMoodItems[] = {
    {2000, IDS_MOOD_HAPPY, MF_STRING}, {2001, IDS_MOOD_NORMAL, MF_STRING}, {2002, IDS_MOOD_DOWN, MF_STRING},
    {2003, IDS_MOOD_SAD, MF_STRING},   {2004, IDS_MOOD_MAD, MF_STRING},    {2005, IDS_MOOD_EMBARRASSED, MF_STRING},
};

constexpr MenuItemSpec kWeatherItems[] = {
    {1001, IDS_WEATHER_FINE, MF_STRING}, {1002, IDS_WEATHER_CLOUD, MF_STRING},   {1003, IDS_WEATHER_RAIN, MF_STRING},
    {1004, IDS_WEATHER_SNOW, MF_STRING}, {1005, IDS_WEATHER_THUNDER, MF_STRING},
};

// Their check marks come from the pen (MarkMenus).
constexpr MenuItemSpec kWidthItems[] = {
    {4000, IDS_WIDTH_XL, MF_STRING}, {4001, IDS_WIDTH_L, MF_STRING},  {4002, IDS_WIDTH_M, MF_STRING},
    {4003, IDS_WIDTH_S, MF_STRING},  {4004, IDS_WIDTH_XS, MF_STRING},
};

constexpr MenuItemSpec kPenTypeItems[] = {
    {IDM_PEN_PENCIL, IDS_PEN_PENCIL, MF_STRING},
    {IDM_PEN_PEN, IDS_PEN_PEN, MF_STRING},
};

// Above the pen cascades; greyed until there is something to take back.
constexpr MenuItemSpec kUndoItems[] = {
    {IDM_UNDO, IDS_UNDO, MF_STRING | MF_GRAYED},
    {IDM_REDO, IDS_REDO, MF_STRING | MF_GRAYED},
    {0, 0, MF_SEPARATOR},
};

template <std::size_t N>
void AppendItems(HMENU menu, const MenuItemSpec (&items)[N]) {
    for (const MenuItemSpec& item : items) {
        const std::u16string label = item.label ? LoadText(g_shell.instance, item.label) : std::u16string();
        AppendMenuW(menu, item.flags, item.id, item.label ? WidePointer(label) : nullptr);
    }
}

void AppendCascade(HMENU menu, HMENU cascade, UINT label) {
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(cascade), WidePointer(LoadText(g_shell.instance, label)));
}

}  // namespace

void BuildPopupMenus() {
    g_shell.moodMenu.reset(CreatePopupMenu());
    g_shell.weatherMenu.reset(CreatePopupMenu());
    g_shell.widthMenu.reset(CreatePopupMenu());
    g_shell.penTypeMenu.reset(CreatePopupMenu());
    g_shell.colourMenu.reset(CreatePopupMenu());
    g_shell.drawingMenu.reset(CreatePopupMenu());

    AppendItems(g_shell.moodMenu.get(), kMoodItems);
    AppendItems(g_shell.weatherMenu.get(), kWeatherItems);
    // Swatches only: the items are drawn by the window (WM_MEASUREITEM, WM_DRAWITEM).
    for (UINT id = IDM_COLOUR_FIRST; id <= IDM_COLOUR_LAST; ++id) {
        AppendMenuW(g_shell.colourMenu.get(), MF_OWNERDRAW, id, nullptr);
    }
    AppendItems(g_shell.widthMenu.get(), kWidthItems);
    AppendItems(g_shell.penTypeMenu.get(), kPenTypeItems);

    AppendItems(g_shell.drawingMenu.get(), kUndoItems);
    AppendCascade(g_shell.drawingMenu.get(), g_shell.colourMenu.get(), IDS_COLOUR_MENU);
    AppendCascade(g_shell.drawingMenu.get(), g_shell.widthMenu.get(), IDS_WIDTH_MENU);
    AppendCascade(g_shell.drawingMenu.get(), g_shell.penTypeMenu.get(), IDS_PEN_TYPE_MENU);
}

void MarkMenus(const DiaryWindow& diary) {
    auto check = [](HMENU menu, UINT command, bool checked) {
        if (menu) CheckMenuItem(menu, command, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
    };
    const int weekStartItem = IDM_WEEK_SUNDAY + static_cast<int>(ChosenWeekStart(diary.page));
    for (HMENU menu : {GetMenu(diary.view.window), g_shell.systemMenuResource.get()}) {
        check(menu, IDM_SAVE_PICTURE, diary.page.SavesPicture());
        check(menu, IDM_RULED_LINES, diary.view.ruledLinesOn);
        if (menu) {
            CheckMenuRadioItem(menu, IDM_ZOOM_FIRST, IDM_ZOOM_LAST, IDM_ZOOM_FIRST + diary.view.zoom - 1, MF_BYCOMMAND);
            CheckMenuRadioItem(menu, IDM_LANGUAGE_FIRST, IDM_LANGUAGE_LAST,
                               IDM_LANGUAGE_FIRST + static_cast<int>(g_shell.languageChoice), MF_BYCOMMAND);
            CheckMenuRadioItem(menu, IDM_WEEK_SUNDAY, IDM_WEEK_SYSTEM, weekStartItem, MF_BYCOMMAND);
            // A time written into the settings file by hand that is none of the choices checks none.
            const auto idle = std::ranges::find(kIdleLockChoices, diary.relock.idleSeconds);
            for (int id = IDM_IDLE_LOCK_FIRST; id <= IDM_IDLE_LOCK_LAST; ++id)
                check(menu, id,
                      idle != kIdleLockChoices.end() && id - IDM_IDLE_LOCK_FIRST == idle - kIdleLockChoices.begin());
        }
    }
    for (int id = IDM_WIDTH_FIRST; id <= IDM_WIDTH_LAST; ++id)
        check(g_shell.widthMenu.get(), id, id == PenWidthCommand(diary.view));
    for (int id = IDM_PEN_PENCIL; id <= IDM_PEN_PEN; ++id)
        check(g_shell.penTypeMenu.get(), id, id == PenTypeCommand(diary.view));
}

void PrepareMenu(HMENU menu, const DiaryWindow& diary) {
    MarkMenus(diary);
    // No zoom the monitor has no room for, and none at all in the 240-line layout.
    const int largest = g_shell.tallScreen ? LargestZoomOfWindow(diary.view.window) : 0;
    auto enable = [menu](UINT command, bool enabled) {
        EnableMenuItem(menu, command, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    };
    enable(IDM_ZOOM_IN, diary.view.zoom < largest);
    enable(IDM_ZOOM_OUT, largest > 0 && diary.view.zoom > 1);
    for (int zoom = 1; zoom <= kMaxZoom; ++zoom) {
        const UINT item = IDM_ZOOM_FIRST + zoom - 1;
        enable(item, zoom <= largest);
        // A greyed step says why: the screen has no room for it, or the layout no zoom.
        const char16_t digit[] = {static_cast<char16_t>(u'0' + zoom), u'\0'};
        std::u16string label = LoadText(g_shell.instance, IDS_ZOOM_STEP, {digit});
        if (zoom > largest)
            label = LoadText(g_shell.instance, g_shell.tallScreen ? IDS_ZOOM_NO_ROOM : IDS_ZOOM_NO_ZOOM, {label});
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_STRING;
        info.dwTypeData = const_cast<wchar_t*>(WidePointer(label));
        SetMenuItemInfoW(menu, item, FALSE, &info);
    }
    // A plain diary can be locked; a locked one unlocked, or given another password.
    const bool locked = DiaryIsLocked(diary.page.Folder());
    enable(IDM_LOCK_DIARY, !locked);
    enable(IDM_UNLOCK_DIARY, locked);
    enable(IDM_CHANGE_PASSWORD, locked);
    if (menu == g_shell.drawingMenu.get()) {
        EnableMenuItem(menu, IDM_UNDO, MF_BYCOMMAND | (!diary.page.CanTakeBack() ? MF_GRAYED : MF_ENABLED));
        EnableMenuItem(menu, IDM_REDO, MF_BYCOMMAND | (!diary.page.CanBringBack() ? MF_GRAYED : MF_ENABLED));
    } else if (menu == g_shell.weatherMenu.get() || menu == g_shell.moodMenu.get()) {
        // A page whose record cannot be read takes no weather or mood: nothing would keep it.
        const UINT state = diary.page.TakesClassifications() ? MF_ENABLED : MF_GRAYED;
        for (int item = GetMenuItemCount(menu) - 1; item >= 0; --item)
            EnableMenuItem(menu, item, MF_BYPOSITION | state);
    }
}

void ShowPenColourOnButton(const PageView& view) {
    if (!g_shell.commandBar) return;
    SendMessageW(g_shell.commandBar.get(), TB_CHANGEBITMAP, IDM_COLOUR_BUTTON,
                 MAKELPARAM(g_shell.firstColourButtonImage + PenColourCommand(view) - IDM_COLOUR_FIRST, 0));
}
