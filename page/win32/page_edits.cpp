#include "page_edits.h"

#include "page/win32/current_page.h"
#include "page/win32/file_messages.h"
#include "page/page.h"
#include "page/win32/page_icons.h"
#include "page/win32/page_view.h"
#include "page/win32/picture_surface.h"
#include "page/win32/recovery.h"
#include "platform/win32/window_text.h"

void NotePageEdited(Page& page, PageView& view) {
    if (!page.Loading()) ScheduleRecoveryCopy(view);
}

void TakeTypedText(Page& page, PageView& view) {
    if (page.Loading()) return;
    page.Type(ReadWindowText(view.textBox));
    ScheduleRecoveryCopy(view);
}

void TakeChosenPlace(Page& page, PageView& view) {
    page.ChoosePlace(SelectedPlace(view));
    NotePageEdited(page, view);
}

bool PageTakesClassifications(const Page& page, const PageView& view) {
    if (page.TakesClassifications()) return true;
    ReportUnreadableRecord(view, page.Files().record, page.FileState().recordReadStatus);
    return false;
}

void SetPageWeather(Page& page, PageView& view, int weatherIndex) {
    if (!PageTakesClassifications(page, view) || !page.ChooseWeather(weatherIndex)) return;
    DrawWeatherIcon(view, weatherIndex);
    NotePageEdited(page, view);
}

void SetPageMood(Page& page, PageView& view, int moodIndex) {
    if (!PageTakesClassifications(page, view) || !page.ChooseMood(moodIndex)) return;
    DrawMoodIcon(view, moodIndex);
    NotePageEdited(page, view);
}

void SetPictureSaving(Page& page, PageView& view, bool on) {
    page.SwitchPictureSaving(on);
    DrawPictureSavingMark(view, !on);
}

void ShowPictureOnPage(Page& page, PageView& view, const PictureBytes& pixels) {
    // What the surface holds is what the model keeps: a copy that could not be put there
    // is captured back as it is.
    if (PutPictureBytes(view, pixels)) {
        page.PutPicture(pixels);
    } else {
        page.PutPicture(CapturePictureBytes(view));
    }
    NotePageEdited(page, view);
}
