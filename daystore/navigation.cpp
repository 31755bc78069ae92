#include "navigation.h"

#include <optional>

#include "app/keyboard_focus.h"
#include "app/shell_state.h"
#include "daystore/date_header.h"
#include "daystore/day_picker.h"
#include "daystore/find_dialog.h"
#include "daystore/page.h"
#include "daystore/today.h"

namespace {

void MoveToDay(void (*step)(DayKey&)) {
    DayKey day = g_page.currentDay;
    step(day);
    GoToDay(day);
}

}  // namespace

// Every move saves the page first; a page that could not be stored stays on show, so
// its text and drawing are not replaced by another day's. Words typed next are the new
// day's text, wherever the keys went before.
void GoToDay(const DayKey& day) {
    if (!SaveDay()) return;
    g_page.currentDay = day;
    LoadDay();
    DrawDateHeader();
    PassFocusToTextBox();
}

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
    PassFocusToTextBox();
}

void FindDay(HWND owner) {
    if (std::optional<DayKey> found = RunFindDialog(owner)) GoToDay(*found);
}

void SaveTextCommand() {
    if (GetWindowTextLengthW(g_shell.textBox) == 0) {
        MessageBoxW(g_shell.mainWindow, L"No text entered", L"??", MB_ICONHAND);
        return;
    }
    if (SaveDay(SaveMode::TextCommand)) MessageBoxW(g_shell.mainWindow, L"DBT Saved", L"Save", MB_ICONINFORMATION);
}
