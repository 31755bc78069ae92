#include "language_switch.h"

#include "app/language_choice.h"
#include "diary_window.h"
#include "notification_icon.h"
#include "page/win32/build_page_view.h"
#include "page/win32/date_header.h"
#include "page/win32/diary_settings.h"
#include "page_menus.h"
#include "platform/win32/loaded_text.h"
#include "platform/win32/shown_language.h"
#include "platform/wide_text.h"
#include "resources/resource.h"
#include "shell_state.h"

void ShowStartLanguage(const std::filesystem::path& diaryFolder) {
    g_shell.languageChoice = ReadLanguageChoice(ReadSettings(diaryFolder));
    ShowLanguage(LanguageOfChoice(g_shell.languageChoice, SystemLanguage()));
}

void SwitchLanguage(DiaryWindow& diary, LanguageChoice choice) {
    const HWND window = diary.view.window;
    // A folder that refuses the choice, or a file that could not be read, keeps it for this run.
    KeepDiarySettings(diary.page, diary.view, window,
                      [&](Settings& settings) { KeepLanguageChoice(settings, choice); });
    g_shell.languageChoice = choice;
    ShowLanguage(LanguageOfChoice(choice, SystemLanguage()));

    // The 240-line layout has no menu bar, and gets none.
    if (const HMENU old = GetMenu(window)) {
        if (const HMENU bar = LoadShownMenu(g_shell.instance, IDR_MENU_BAR)) {
            SetMenu(window, bar);
            DestroyMenu(old);
        }
    }
    g_shell.systemMenuResource.reset(LoadShownMenu(g_shell.instance, IDR_SYSTEM_MENU));
    // The cascades go on their own; the drawing menu must not take them along a second time.
    g_shell.DetachDrawingCascades();
    BuildPopupMenus();
    MarkMenus(diary);
    DrawMenuBar(window);

    SetWindowTextW(window, WidePointer(LoadText(g_shell.instance, IDS_WINDOW_TITLE)));
    RetitleProgramNotificationIcon(window);
    NamePlaces(diary.view);
    DrawDateHeader(diary.view, diary.page.Day());
}
