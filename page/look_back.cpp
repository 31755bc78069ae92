#include "page/look_back.h"

#include "diarycore/picture_bytes.h"
#include "lookback/month_view.h"
#include "lookback/same_day_view.h"
#include "lookback/thumbnail.h"
#include "lookback/year_view.h"
#include "page/folder_index.h"
#include "page/navigation.h"
#include "page/page_geometry.h"
#include "page/page_view.h"
#include "page/picture_surface.h"
#include "page/shown_page.h"
#include "page/today.h"

namespace {

// The page on show as the views show a day: what it holds now, saved or not.
PageOnShow PageAsShown(const Page& page, const PageView& view, const DayFileIndex& index) {
    PageOnShow shown;
    shown.day = page.day;
    DayGlance& glance = shown.glance;
    glance.day = DayNumberOf(page.day);
    const DayRecord record = CurrentRecord(page, view);
    const std::optional<std::vector<std::uint8_t>> pixels = CapturePictureBytes(view);
    const bool drawn = pixels && !IsBlankPicture(*pixels);
    const DayFilePair names = DayFileNames(page.day);
    glance.mark.page = drawn || !record.text.empty() || index.Listed(names.record) || index.Listed(names.picture);
    glance.mark.unreadable = !page.TakesClassifications() || !page.TakesInk();
    glance.mark.mood = static_cast<std::uint8_t>(page.moodIndex);
    glance.mark.weather = static_cast<std::uint8_t>(page.weatherIndex);
    glance.firstWords = FirstWordsOf(record.text);
    if (pixels) shown.drawing = DrawingOfPictureBytes(*pixels);
    return shown;
}

}  // namespace

bool LookBack(Page& page, PageView& view, HWND owner, LookBackView which, const std::function<void(HWND)>& whenShown) {
    KeepIndexCurrent(page, view);
    DayFileIndex listed;
    if (!page.index.Known()) listed.List(std::filesystem::path(page.Folder()));
    LookSource source;
    source.folder = std::filesystem::path(page.Folder());
    source.index = page.index.Known() ? &page.index : &listed;
    source.today = GetToday();
    source.onShow = PageAsShown(page, view, *source.index);
    source.waiting = page.daysWithCopiesLeft;
    source.instance = view.instance;
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
