#include "navigation.h"

#include <optional>

#include "diarycore/diary_search.h"
#include "page/win32/date_header.h"
#include "diarycore/win32/day_picker.h"
#include "diarycore/win32/first_weekday.h"
#include "diarycore/win32/find_dialog.h"
#include "page/win32/folder_index.h"
#include "page/page.h"
#include "page/win32/page_files.h"
#include "page/win32/current_page.h"
#include "page/win32/diary_settings.h"
#include "page/win32/page_view.h"
#include "page/win32/today.h"
#include "platform/win32/loaded_text.h"
#include "resources/resource.h"

namespace {

void ShowDay(Page& page, PageView& view, const DayKey& day) {
    page.TurnTo(day);
    LoadDay(page, view);
    DrawDateHeader(view, page.Day());
}

bool MoveToDay(Page& page, PageView& view, void (*step)(DayKey&)) {
    DayKey day = page.Day();
    step(day);
    return GoToDay(page, view, day);
}

}  // namespace

// Every move saves the page first; a page that could not be stored stays on show, so
// its text and drawing are not replaced by another day's.
bool GoToDay(Page& page, PageView& view, const DayKey& day) {
    if (!SaveDay(page, view)) return false;
    ShowDay(page, view, day);
    return true;
}

void ShowToday(Page& page, PageView& view) {
    page.TurnTo(GetToday());
    DrawDateHeader(view, page.Day());
}

bool GoNextDay(Page& page, PageView& view) { return MoveToDay(page, view, NextDay); }
bool GoPreviousDay(Page& page, PageView& view) { return MoveToDay(page, view, PreviousDay); }

bool PickDay(Page& page, PageView& view, HWND owner) {
    if (!SaveDay(page, view)) return false;
    // The marks come from the page's index of the folder; only without one is it listed.
    KeepIndexCurrent(page, view);
    DaysWithPages pages =
        page.diary.index.Known() ? page.diary.index.Days() : ListDaysWithPages(std::filesystem::path(page.Folder()));
    // A day whose sync tool's copy waits to be taken in is marked too: half of it is there.
    pages.insert(page.diary.daysWithCopiesLeft.begin(), page.diary.daysWithCopiesLeft.end());
    std::optional<DayKey> chosen =
        RunDayPicker(owner, view.instance, std::move(pages), page.Day(), FirstWeekdayOf(DiarySettings(page)));
    if (!chosen) return false;
    ShowDay(page, view, *chosen);
    return true;
}

bool FindDay(Page& page, PageView& view, HWND owner) {
    // A record that could not be read is not on the page; the stored one is counted instead.
    std::optional<DiaryEntry> onShow;
    if (page.TakesClassifications()) {
        const DayRecord record = page.RecordToStore();
        onShow = DiaryEntry{DayNumberOf(page.Day()), record.place, record.text, {}};
    }
    KeepIndexCurrent(page, view);
    FindSource source{page.Folder(), std::nullopt, onShow};
    if (page.diary.index.Known()) source.names = page.diary.index.Names();
    std::optional<DayKey> found = RunFindDialog(owner, view.instance, std::move(source));
    return found && GoToDay(page, view, *found);
}

void SaveTextCommand(Page& page, PageView& view) {
    if (page.Text().empty()) {
        ShowMessageBox(view.window, view.instance, IDS_NO_TEXT, IDS_CAPTION_NO_TEXT, MB_ICONHAND);
        return;
    }
    if (SaveDay(page, view, SaveMode::TextCommand)) {
        ShowMessageBox(view.window, view.instance, IDS_TEXT_SAVED, IDS_CAPTION_SAVE, MB_ICONINFORMATION);
    }
}
