#include "app/win32/look_back.h"

#include "diarycore/picture_bytes.h"
#include "diarycore/win32/first_weekday.h"
#include "lookback/win32/month_view.h"
#include "lookback/win32/same_day_view.h"
#include "lookback/thumbnail.h"
#include "lookback/win32/year_view.h"
#include "page/win32/folder_index.h"
#include "page/win32/navigation.h"
#include "page/page_geometry.h"
#include "page/win32/page_view.h"
#include "page/win32/picture_surface.h"
#include "page/win32/current_page.h"
#include "page/win32/diary_settings.h"
#include "page/win32/today.h"

namespace {

// The page on show as the views show a day: what it holds now, saved or not.
PageOnShow PageAsShown(Page& page, const PageView& view, const DayFileIndex& index) {
    PageOnShow shown;
    shown.day = page.Day();
    DayGlance& glance = shown.glance;
    glance.day = DayNumberOf(page.Day());
    CatchUpStroke(page, view);
    const DayRecord record = page.RecordToStore();
    const std::optional<std::vector<std::uint8_t>> pixels = page.Pixels();
    const bool drawn = pixels && !IsBlankPicture(*pixels);
    const DayFilePair names = DayFileNames(page.Day());
    glance.mark.page =
        drawn || !record.text.empty() || index.ListedDayFile(names.record) || index.ListedDayFile(names.picture);
    glance.mark.unreadable = !page.TakesClassifications() || !page.TakesInk();
    glance.mark.mood = static_cast<std::uint8_t>(page.Mood());
    glance.mark.weather = static_cast<std::uint8_t>(page.Weather());
    glance.firstWords = FirstWordsOf(record.text);
    if (pixels) shown.drawing = DrawingOfPictureBytes(*pixels);
    return shown;
}

}  // namespace

WeekStart ChosenWeekStart(const Page& page) { return ReadWeekStart(DiarySettings(page)); }

void ChooseWeekStart(Page& page, PageView& view, HWND owner, WeekStart start) {
    KeepDiarySettings(page, view, owner, [start](Settings& settings) { KeepWeekStart(settings, start); });
}

bool LookBack(Page& page, PageView& view, HWND owner, LookBackView which, const std::function<void(HWND)>& whenShown) {
    DayFileIndex listed;
    LookSource source;
    source.folder = std::filesystem::path(page.Folder());
    source.index = &CurrentIndex(page, view, listed);
    source.today = GetToday();
    source.onShow = PageAsShown(page, view, *source.index);
    source.waiting = page.diary.daysWithCopiesLeft;
    source.instance = view.instance;
    source.firstWeekday = FirstWeekdayOf(DiarySettings(page));
    source.weatherIcons = view.weatherStripDc.get();
    source.moodIcons = view.moodStripDc.get();
    source.iconSize = kPage.iconSize;
    source.whenShown = whenShown;
    std::optional<DayKey> chosen;
    switch (which) {
    case LookBackView::Month: chosen = RunMonthView(owner, source); break;
    case LookBackView::SameDay: chosen = RunSameDayView(owner, source); break;
    case LookBackView::Year: chosen = RunYearView(owner, source); break;
    }
    return chosen && GoToDay(page, view, *chosen);
}
