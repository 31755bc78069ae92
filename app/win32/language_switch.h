// The language the windows speak: chosen at start from the settings and Windows' own, and
// switched at once from the View menu.
#pragma once

#include <filesystem>

#include "platform/program_language.h"

struct DiaryWindow;

// Before the first window: the choice kept in the diary folder's settings, over the
// language of Windows' user interface.
void ShowStartLanguage(const std::filesystem::path& diaryFolder);

// Keeps the choice and shows everything in its language: the menus, the title, the page's
// date and places, and the notification icon's tip. The other windows are modal, so none
// is open while the View menu is.
void SwitchLanguage(DiaryWindow& diary, LanguageChoice choice);
