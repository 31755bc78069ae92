#include "diarycore/win32/day_picker.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "resources/resource.h"
#include "diarycore/pages_in_folder.h"
#include "diarycore/win32/first_weekday.h"
#include "platform/win32/dialog_placement.h"
#include "platform/win32/dialog_template.h"
#include "platform/win32/loaded_text.h"
#include "platform/wide_text.h"
#include "platform/win32/window_object.h"

namespace {

struct DayCell {
    std::int32_t day;  // YYYYMMDD
    RECT rect;
};

struct PickerState {
    HINSTANCE instance = nullptr;
    DayKey current;
    std::optional<DayKey> chosen;
    HWND calendar = nullptr;
    DaysWithPages pages;               // listed once, when the picker opens
    std::vector<MONTHDAYSTATE> shown;  // the bold days last handed to the calendar
    WNDPROC calendarProc = nullptr;    // the calendar's own, which paints it
    std::int32_t cellsFrom = 0;        // the first day on show when `cells` were found
    std::vector<DayCell> cells;        // where each day on show is drawn
    std::int32_t firstWeekday = 0;     // 0 = Sunday
};

constexpr int kButtonWidth = 64;
constexpr int kButtonHeight = 22;
constexpr int kButtonGap = 6;

HWND MakeButton(HWND dialog, const std::u16string& text, int id, DWORD style, int x, int y) {
    HWND button =
        CreateWindowExW(0, L"BUTTON", WidePointer(text), WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, x, y, kButtonWidth,
                        kButtonHeight, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE)), nullptr);
    SendMessageW(button, WM_SETFONT, SendMessageW(dialog, WM_GETFONT, 0, 0), FALSE);
    return button;
}

std::int32_t DayNumber(const SYSTEMTIME& time) { return time.wYear * 10000 + time.wMonth * 100 + time.wDay; }

// Where the calendar draws each day on show, asked of the calendar itself point by point,
// so that it holds for every version of the control and every font.
void FindDayCells(PickerState& state) {
    state.cells.clear();
    RECT client{};
    GetClientRect(state.calendar, &client);
    constexpr int kStep = 2;
    for (int y = 0; y < client.bottom; y += kStep) {
        for (int x = 0; x < client.right; x += kStep) {
            MCHITTESTINFO hit{};
            hit.cbSize = MCHITTESTINFO_V1_SIZE;
            hit.pt = {x, y};
            SendMessageW(state.calendar, MCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
            if ((hit.uHit & MCHT_CALENDARDATE) != MCHT_CALENDARDATE) continue;
            const std::int32_t day = DayNumber(hit.st);
            auto cell =
                std::find_if(state.cells.begin(), state.cells.end(), [&](const DayCell& c) { return c.day == day; });
            if (cell == state.cells.end()) {
                state.cells.push_back({day, {x, y, x + kStep, y + kStep}});
                continue;
            }
            cell->rect.left = std::min<LONG>(cell->rect.left, x);
            cell->rect.right = std::max<LONG>(cell->rect.right, x + kStep);
            cell->rect.bottom = std::max<LONG>(cell->rect.bottom, y + kStep);
        }
    }
}

// The day state makes days with a page bold where the control draws it (Windows), and
// nothing under Wine; a short bar under the number shows them everywhere.
void MarkPageDays(PickerState& state) {
    SYSTEMTIME range[2] = {};
    SendMessageW(state.calendar, MCM_GETMONTHRANGE, GMR_DAYSTATE, reinterpret_cast<LPARAM>(range));
    if (DayNumber(range[0]) != state.cellsFrom || state.cells.empty()) {
        FindDayCells(state);
        state.cellsFrom = DayNumber(range[0]);
    }
    const OwnedWindowDc dc(state.calendar);
    const OwnedBrush mark(CreateSolidBrush(RGB(0xD0, 0x20, 0x20)));
    for (const DayCell& cell : state.cells) {
        if (!state.pages.contains(cell.day)) continue;
        const LONG width = cell.rect.right - cell.rect.left;
        const RECT bar{cell.rect.left + width / 4, cell.rect.bottom - 3, cell.rect.right - width / 4,
                       cell.rect.bottom - 1};
        FillRect(dc.get(), &bar, mark.get());
    }
}

LRESULT CALLBACK CalendarProc(HWND calendar, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<PickerState*>(GetWindowLongPtrW(GetParent(calendar), DWLP_USER));
    const LRESULT result = CallWindowProcW(state->calendarProc, calendar, message, wParam, lParam);
    if (message == WM_PAINT) MarkPageDays(*state);
    return result;
}

// The calendar at (0, 0) as large as it needs with its sunken edge, and the OK and
// Cancel buttons under it (the handheld had OK in the caption); the dialog sized to hold
// them and placed as every dialog is (PlaceDialog).
void LayOutPicker(HWND dialog, PickerState& state) {
    constexpr DWORD kCalendarStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | MCS_DAYSTATE;
    state.calendar = CreateWindowExW(WS_EX_CLIENTEDGE, MONTHCAL_CLASSW, L"", kCalendarStyle, 0, 0, 0, 0, dialog,
                                     nullptr, state.instance, nullptr);
    state.calendarProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(state.calendar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CalendarProc)));
    RECT minimum{};
    SendMessageW(state.calendar, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&minimum));
    // The minimum is the calendar's client area; the sunken edge comes around it.
    AdjustWindowRectEx(&minimum, kCalendarStyle, FALSE, WS_EX_CLIENTEDGE);
    int calendarWidth = minimum.right - minimum.left;
    int calendarHeight = minimum.bottom - minimum.top;
    MoveWindow(state.calendar, 0, 0, calendarWidth, calendarHeight, TRUE);

    int buttonsTop = calendarHeight + kButtonGap;
    int clientWidth = calendarWidth;
    int clientHeight = buttonsTop + kButtonHeight + kButtonGap;
    int okX = clientWidth / 2 - kButtonGap / 2 - kButtonWidth;
    MakeButton(dialog, LoadText(state.instance, IDS_OK), IDOK, BS_DEFPUSHBUTTON, okX, buttonsTop);
    MakeButton(dialog, LoadText(state.instance, IDS_CANCEL), IDCANCEL, BS_PUSHBUTTON, okX + kButtonWidth + kButtonGap,
               buttonsTop);

    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)));
    PlaceDialog(dialog, frame.right - frame.left, frame.bottom - frame.top);
}

// The calendar asks for the bold days of every month it shows, partly shown ones included,
// whenever that range changes.
void AnswerDayState(PickerState& state, NMDAYSTATE& request) {
    std::vector<std::uint32_t> masks =
        MonthPageMasks(state.pages, request.stStart.wYear, request.stStart.wMonth, request.cDayState);
    state.shown.assign(masks.begin(), masks.end());
    request.prgDayState = state.shown.data();
}

// Selecting another month does not always ask again, so the range on show is answered here.
void ShowPageDays(PickerState& state) {
    SYSTEMTIME range[2] = {};
    NMDAYSTATE request{};
    request.cDayState = static_cast<int>(
        SendMessageW(state.calendar, MCM_GETMONTHRANGE, GMR_DAYSTATE, reinterpret_cast<LPARAM>(range)));
    request.stStart = range[0];
    AnswerDayState(state, request);
    SendMessageW(state.calendar, MCM_SETDAYSTATE, request.cDayState, reinterpret_cast<LPARAM>(request.prgDayState));
}

void ShowDays(PickerState& state) {
    SendMessageW(state.calendar, MCM_SETFIRSTDAYOFWEEK, 0, CalendarFirstDay(state.firstWeekday));
    SYSTEMTIME today{};
    GetLocalTime(&today);
    SendMessageW(state.calendar, MCM_SETTODAY, 0, reinterpret_cast<LPARAM>(&today));
    SYSTEMTIME current{};
    current.wYear = static_cast<WORD>(state.current.year);
    current.wMonth = static_cast<WORD>(state.current.month);
    current.wDay = static_cast<WORD>(state.current.day);
    current.wDayOfWeek = static_cast<WORD>(state.current.dayOfWeek);
    SendMessageW(state.calendar, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&current));
    ShowPageDays(state);
}

INT_PTR CALLBACK DayPickerProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<PickerState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        state = reinterpret_cast<PickerState*>(lParam);
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        LayOutPicker(dialog, *state);
        ShowDays(*state);
        return TRUE;
    case WM_NOTIFY:
        // Also sent while the calendar is being made, before `state->calendar` is set.
        if (state && reinterpret_cast<NMHDR*>(lParam)->code == MCN_GETDAYSTATE) {
            AnswerDayState(*state, *reinterpret_cast<NMDAYSTATE*>(lParam));
            return TRUE;
        }
        return FALSE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            SYSTEMTIME picked{};
            if (SendMessageW(state->calendar, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&picked))) {
                state->chosen = DayKey{picked.wYear, picked.wMonth, picked.wDay, picked.wDayOfWeek};
            }
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    default: return FALSE;
    }
}

}  // namespace

std::optional<DayKey> RunDayPicker(HWND owner, HINSTANCE instance, DaysWithPages pages, const DayKey& current,
                                   std::int32_t firstWeekday) {
    const DLGTEMPLATE* dialogTemplate = FindDialogTemplate(instance, IDD_DAY_PICKER);
    if (!dialogTemplate) return std::nullopt;
    PickerState state;
    state.instance = instance;
    state.current = current;
    state.pages = std::move(pages);
    state.firstWeekday = firstWeekday;
    DialogBoxIndirectParamW(instance, dialogTemplate, owner, DayPickerProc, reinterpret_cast<LPARAM>(&state));
    return state.chosen;
}
