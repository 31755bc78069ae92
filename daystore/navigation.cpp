#include "navigation.h"

#include <optional>

#include "app/shell_state.h"
#include "daystore/date_header.h"
#include "daystore/day_picker.h"
#include "daystore/page.h"
#include "daystore/today.h"

namespace {

// Every move saves the page first; a page that could not be stored stays on show, so
// its text and drawing are not replaced by another day's.
void MoveToDay(void (*step)(DayKey&)) {
    if (!SaveDay()) return;
    step(g_page.currentDay);
    LoadDay();
    DrawDateHeader();
}

}  // namespace

void ShowToday() {
    g_page.currentDay = GetToday();
    DrawDateHeader();
}

void GoNextDay() { MoveToDay(NextDay); }
void GoPreviousDay() { MoveToDay(PreviousDay); }

void PickDay(HWND owner) {
    if (!SaveDay()) return;
    std::optional<DayKey> chosen = RunDayPicker(owner, g_page.currentDay);
    if (!chosen) return;
    g_page.currentDay = *chosen;
    LoadDay();
    DrawDateHeader();
}

void SaveTextCommand() {
    if (GetWindowTextLengthW(g_shell.textBox) == 0) {
        MessageBoxW(g_shell.mainWindow, L"No text entered", L"??", MB_ICONHAND);
        return;
    }
    if (SaveDay(SaveMode::TextCommand)) MessageBoxW(g_shell.mainWindow, L"DBT Saved", L"Save", MB_ICONINFORMATION);
}
