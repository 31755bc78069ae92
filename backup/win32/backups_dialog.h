// "Backups...": the backup folder, with a button to choose another, the last snapshot's
// time and size, and "Back up now", which makes one on the worker while the dialog stays.
#pragma once

#include <windows.h>

class Page;
class PageView;
struct BackupsOfRun;

void ShowBackupsDialog(Page& page, const PageView& view, BackupsOfRun& backups, HWND owner);
