#include "lookback/win32/month_view.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "diarycore/date_words.h"
#include "lookback/month_grid.h"
#include "platform/win32/shown_language.h"
#include "platform/win32/loaded_text.h"
#include "platform/wide_text.h"
#include "resources/resource.h"

namespace {

constexpr wchar_t kMonthClass[] = L"DoodlebinderMonth";
constexpr SelectionSteps kWeekSteps{.upDownDays = 7, .upDownMonths = 0, .pageMonths = 1};  // a week up and down
constexpr int kRows = 6;  // every month in the same room

struct MonthState {
    const LookSource* source = nullptr;
    DayKey selected;
    MonthGrid grid;
    std::vector<DayGlance> glances;       // by day of the month - 1
    std::vector<OwnedBitmap> thumbnails;  // the same; null for a day without a page
    std::optional<DayKey> chosen;
    OwnedFont font, titleFont;
    int firstWeekday = 0;
    int lineHeight = 0, titleHeight = 0, top = 0, cellWidth = 0, cellHeight = 0, thumbWidth = 0, thumbHeight = 0;
    int firstRow = 0;  // the week shown at the top: a short screen shows some weeks at a time
    int visibleRows = kRows;
};

// Reads the month of the selected day: its pages at a glance, and their drawings small.
void LoadMonth(MonthState& state) {
    const DayKey& day = state.selected;
    state.grid = LayOutMonth(day.year, day.month, state.firstWeekday);
    state.thumbnails.clear();
    state.glances.assign(state.grid.days, DayGlance{});
    state.thumbnails.resize(state.grid.days);
    for (int d = 1; d <= state.grid.days; ++d) {
        DayGlance glance = state.source->Glance(day.year * 10000 + day.month * 100 + d, true);
        if (!glance.mark.page) continue;
        state.thumbnails[d - 1] = MakeThumbnail(state.source->Drawing(glance), state.thumbWidth, state.thumbHeight);
        state.glances[d - 1] = std::move(glance);
    }
}

void LayOut(MonthState& state, HWND window) {
    RECT client;
    GetClientRect(window, &client);
    {
        const OwnedWindowDc dc(window);
        TEXTMETRICW metrics;
        const SelectedObject font(dc.get(), state.font.get());
        GetTextMetricsW(dc.get(), &metrics);
        state.lineHeight = metrics.tmHeight;
        SelectObject(dc.get(), state.titleFont.get());
        GetTextMetricsW(dc.get(), &metrics);
        state.titleHeight = metrics.tmHeight + kLookMargin;
    }
    state.top = kLookMargin + state.titleHeight + state.lineHeight + 2;
    state.cellWidth = (client.right - 2 * kLookMargin) / 7;
    // Never so short that the drawings cannot be made out: a short screen shows fewer weeks
    // at a time, and the window follows the selection.
    const int leastHeight = 2 * state.lineHeight + 8 + (state.cellWidth - 8) * 160 / 264 * 2 / 3;
    state.cellHeight = std::max(static_cast<int>(client.bottom - state.top - kLookMargin) / kRows, leastHeight);
    state.visibleRows = std::max(1, static_cast<int>(client.bottom - state.top) / state.cellHeight);
    // The drawing keeps its shape, in what the day's number and words leave of the cell.
    state.thumbWidth = std::max(8, state.cellWidth - 8);
    state.thumbHeight = state.thumbWidth * 160 / 264;
    const int roomHeight = std::max(5, state.cellHeight - 2 * state.lineHeight - 8);
    if (state.thumbHeight > roomHeight) {
        state.thumbHeight = roomHeight;
        state.thumbWidth = roomHeight * 264 / 160;
    }
}

RECT CellRect(const MonthState& state, int day) {
    const int x = kLookMargin + state.grid.Column(day) * state.cellWidth;
    const int y = state.top + (state.grid.Row(day) - state.firstRow) * state.cellHeight;
    return {x, y, x + state.cellWidth, y + state.cellHeight};
}

void DrawCell(const MonthState& state, HDC dc, int day) {
    const RECT cell = CellRect(state, day);
    const bool onShow =
        DayNumberOf(state.source->onShow.day) == DayNumberOf({state.grid.year, state.grid.month, day, 0});
    const bool today = DayNumberOf(state.source->today) == DayNumberOf({state.grid.year, state.grid.month, day, 0});
    FillRect(dc, &cell, OwnedBrush(CreateSolidBrush(onShow ? RGB(0xFF, 0xF4, 0xC8) : RGB(0xFF, 0xFF, 0xFF))).get());
    FrameRect(dc, &cell, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));

    // The day's number; today's white on red.
    RECT number = {cell.left + 2, cell.top + 2, cell.left + 2 + state.lineHeight * 3 / 2,
                   cell.top + 2 + state.lineHeight};
    if (today) FillRect(dc, &number, OwnedBrush(CreateSolidBrush(RGB(0xC0, 0x20, 0x20))).get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, today ? RGB(255, 255, 255) : RGB(0, 0, 0));
    const std::wstring digits = std::to_wstring(day);
    DrawTextW(dc, digits.c_str(), -1, &number, DT_CENTER | DT_VCENTER | DT_SINGLELINE);

    const DayGlance& glance = state.glances[day - 1];
    if (glance.mark.page) {
        const int size = state.source->iconSize;
        DrawDayIcons(dc, *state.source, glance.mark, cell.right - 2 * size - 4, cell.top + 2);
        const int x = cell.left + (state.cellWidth - state.thumbWidth) / 2, y = cell.top + state.lineHeight + 4;
        if (const OwnedDc thumbDc{CreateCompatibleDC(dc)}) {
            const SelectedObject thumbnail(thumbDc.get(), state.thumbnails[day - 1].get());
            BitBlt(dc, x, y, state.thumbWidth, state.thumbHeight, thumbDc.get(), 0, 0, SRCCOPY);
        }
        RECT frame = {x - 1, y - 1, x + state.thumbWidth + 1, y + state.thumbHeight + 1};
        FrameRect(dc, &frame, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
        if (glance.mark.unreadable) { DrawUnreadableMark(dc, {x, y, x + state.lineHeight, y + state.lineHeight}); }
        SetTextColor(dc, RGB(0, 0, 0));
        RECT words = {cell.left + 3, y + state.thumbHeight + 2, cell.right - 3, cell.bottom - 2};
        DrawTextW(dc, WidePointer(glance.firstWords), -1, &words, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
    if (day == state.selected.day) {
        HBRUSH highlight = GetSysColorBrush(COLOR_HIGHLIGHT);
        for (int inset = 0; inset < 3; ++inset) {
            RECT ring = {cell.left + inset, cell.top + inset, cell.right - inset, cell.bottom - inset};
            FrameRect(dc, &ring, highlight);
        }
    }
}

void Paint(const MonthState& state, HWND window) {
    PaintOffScreen(window, [&state](HDC dc, const RECT& client) {
        SelectObject(dc, state.titleFont.get());
        const std::u16string title = MonthTitleText(state.grid.year, state.grid.month, ShownLanguage());
        RECT titleRect = {kLookMargin, kLookMargin, client.right - kLookMargin, kLookMargin + state.titleHeight};
        DrawTextW(dc, WidePointer(title), -1, &titleRect, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
        SelectObject(dc, state.font.get());
        for (int column = 0; column < 7; ++column) {
            RECT label = {kLookMargin + column * state.cellWidth, state.top - state.lineHeight - 2,
                          kLookMargin + (column + 1) * state.cellWidth, state.top};
            const std::u16string_view name = ShortWeekdayWord((state.firstWeekday + column) % 7, ShownLanguage());
            DrawTextW(dc, WidePointer(std::u16string(name)), -1, &label, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
        }
        for (int day = 1; day <= state.grid.days; ++day) {
            const int row = state.grid.Row(day);
            if (row >= state.firstRow && row < state.firstRow + state.visibleRows) DrawCell(state, dc, day);
        }
    });
}

// The weeks shown keep the selected day in sight.
void ShowSelectedWeek(MonthState& state) {
    const int row = state.grid.Row(state.selected.day);
    if (row < state.firstRow) state.firstRow = row;
    if (row >= state.firstRow + state.visibleRows) state.firstRow = row - state.visibleRows + 1;
    state.firstRow = std::clamp(state.firstRow, 0, std::max(0, state.grid.rows - state.visibleRows));
}

void Select(MonthState& state, HWND window, const DayKey& day) {
    const bool otherMonth = day.year != state.selected.year || day.month != state.selected.month;
    state.selected = day;
    if (otherMonth) LoadMonth(state);
    ShowSelectedWeek(state);
    InvalidateRect(window, nullptr, FALSE);
}

LRESULT CALLBACK MonthProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MonthState* state = LookStateOf<MonthState>(window, message, lParam);
    switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT:
        if (state) Paint(*state, window);
        return 0;
    case WM_KEYDOWN:
        if (state && HandleDayKey(*state, window, wParam, kWeekSteps, Select)) return 0;
        break;
    case WM_LBUTTONDOWN:
        if (state) {
            const int x = static_cast<short>(LOWORD(lParam)) - kLookMargin,
                      y = static_cast<short>(HIWORD(lParam)) - state->top;
            if (x < 0 || y < 0 || state->cellWidth <= 0 || state->cellHeight <= 0) return 0;
            const int day = state->grid.DayAt(y / state->cellHeight + state->firstRow, x / state->cellWidth);
            if (x / state->cellWidth < 7 && day) {
                OpenChosenDay(*state, window,
                              {state->grid.year, state->grid.month, day,
                               WeekdayOfDate(state->grid.year, state->grid.month, day)});
            }
        }
        return 0;
    case WM_MOUSEWHEEL:  // a week a notch, on a screen too short for the month
        if (state) {
            const int rows = GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? -1 : 1;
            state->firstRow = std::clamp(state->firstRow + rows, 0, std::max(0, state->grid.rows - state->visibleRows));
            InvalidateRect(window, nullptr, FALSE);
        }
        return 0;
    case WM_CLOSE: EndModalWindow(window); return 0;
    default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

std::optional<DayKey> RunMonthView(HWND owner, const LookSource& source) {
    MonthState state;
    state.source = &source;
    state.selected = source.onShow.day;
    state.firstWeekday = source.firstWeekday;
    HWND window = CreateLookWindow(owner, source.instance, kMonthClass, MonthProc,
                                   LoadText(source.instance, IDS_LOOK_MONTH_CAPTION), &state);
    if (!window) return std::nullopt;
    state.font = MakeLookFont(window, 9);
    state.titleFont = MakeLookFont(window, 14, true);
    // Cells room for a drawing of about half its size; cut down to the screen's work area.
    const int dpi = ScreenDpi(window);
    PlaceLookWindow(window, 7 * MulDiv(140, dpi, 96) + 2 * kLookMargin,
                    kRows * MulDiv(122, dpi, 96) + MulDiv(70, dpi, 96));
    LayOut(state, window);
    LoadMonth(state);
    ShowSelectedWeek(state);
    RunModalWindow(owner, window, source.whenShown);
    return state.chosen;
}
