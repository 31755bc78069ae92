// The diary's settings file as the page uses it this run: a choice is written into the
// file with every other line kept; a file that is there but could not be read (a sync tool
// holding it without sharing) is never written over, the choice holds for the run, and
// the user is told once.
#pragma once

#include <windows.h>

#include <functional>

#include "diarycore/settings.h"

class Page;
class PageView;

// The file's settings with the choices held for the run over them.
Settings DiarySettings(const Page& page);

// Keeps a choice; a file that could not be read is said once a run, in a box owned by
// `owner`. NotWritten is left to the caller to tell, with `why`.
SettingsKept KeepDiarySettings(Page& page, const PageView& view, HWND owner,
                               const std::function<void(Settings&)>& choose, WriteFault* why = nullptr);
