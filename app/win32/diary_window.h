// The page of the main window: its model and its view, made when the window is built and
// handed to every handler and dialog that needs them; and what else the window keeps for
// the run: its backups, the HTML dialog's choices, the hook on a handheld's taskbar.
#pragma once

#include <windows.h>

#include <string>
#include <utility>

#include "htmlexport/win32/html_output_dialog.h"
#include "notification_icon.h"
#include "page/win32/backups.h"
#include "page/page.h"
#include "page/win32/page_view.h"
#include "relock_state.h"

struct DiaryWindow {
    explicit DiaryWindow(std::u16string folder) : page(std::move(folder)) {}
    Page page;
    PageView view;
    BackupsOfRun backups;
    HtmlOutputChoices htmlOutput;
    TaskbarHook taskbar;
    DiaryRelock relock;
};

// The diary lives in the main window's user data from WM_CREATE to WM_NCDESTROY: made on
// the data folder by AttachDiary, gone with ForgetDiary.
DiaryWindow* AttachDiary(HWND mainWindow, std::u16string folder);
void ForgetDiary(HWND mainWindow);
// The main window's diary, once WM_CREATE has made it; null before and after.
DiaryWindow* FindDiary(HWND mainWindow);
inline DiaryWindow& DiaryOf(HWND mainWindow) { return *FindDiary(mainWindow); }
