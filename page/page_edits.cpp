#include "page_edits.h"

#include "page/file_messages.h"
#include "page/page.h"
#include "page/page_icons.h"
#include "page/page_view.h"
#include "page/picture_surface.h"
#include "page/recovery.h"

void NotePictureChanged(Page& page, PageView& view) {
    page.pictureChanged = true;
    ScheduleRecoveryCopy(view);
}

void NotePageEdited(Page& page, PageView& view, bool typed) {
    if (page.loading) return;
    if (typed) page.lastChange = PageChange::Typing;
    ScheduleRecoveryCopy(view);
}

bool PageTakesClassifications(const Page& page, const PageView& view) {
    if (page.TakesClassifications()) return true;
    ReportUnreadableRecord(view, page.Files().record, page.files.recordReadStatus);
    return false;
}

void SetPageWeather(Page& page, PageView& view, int weatherIndex) {
    if (!PageTakesClassifications(page, view)) return;
    page.weatherIndex = weatherIndex;
    DrawWeatherIcon(view, weatherIndex);
    NotePageEdited(page, view);
}

void SetPageMood(Page& page, PageView& view, int moodIndex) {
    if (!PageTakesClassifications(page, view)) return;
    page.moodIndex = moodIndex;
    DrawMoodIcon(view, moodIndex);
    NotePageEdited(page, view);
}

void SetPictureSaving(Page& page, PageView& view, bool on) {
    page.savePicture = on;
    DrawPictureSavingMark(view, !on);
}
