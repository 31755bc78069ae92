#include "app/win32/print_days.h"

#include "book/win32/print_window.h"
#include "diarycore/win32/first_weekday.h"
#include "page/win32/diary_settings.h"
#include "page/win32/folder_index.h"
#include "page/win32/page_files.h"
#include "page/page_geometry.h"
#include "page/win32/page_view.h"

void PrintDays(Page& page, PageView& view, HWND owner, const std::function<void(HWND)>& whenShown) {
    if (!SaveDay(page, view)) return;
    DayFileIndex listed;
    PrintSource source;
    source.folder = std::filesystem::path(page.Folder());
    source.index = &CurrentIndex(page, view, listed);
    source.onShow = page.Day();
    source.instance = view.instance;
    source.firstWeekday = FirstWeekdayOf(DiarySettings(page));
    source.icons = {view.weatherStripDc.get(), view.moodStripDc.get(), kPage.iconSize};
    source.whenShown = whenShown;
    RunPrintWindow(owner, source);
}
