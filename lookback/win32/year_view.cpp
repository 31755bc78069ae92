#include "lookback/win32/year_view.h"

#include <algorithm>
#include <string>

#include "diarycore/date_words.h"
#include "lookback/look_colours.h"
#include "lookback/month_grid.h"
#include "lookback/year_of_pages.h"
#include "platform/win32/loaded_text.h"
#include "platform/win32/shown_language.h"
#include "platform/wide_text.h"
#include "resources/resource.h"

namespace {

constexpr wchar_t kYearClass[] = L"DoodlebinderYear";
constexpr SelectionSteps kMonthSteps{.upDownDays = 0, .upDownMonths = 1, .pageMonths = 12};  // a month up and down
constexpr int kGap = 2;
constexpr int kSwitchId = 100;

struct YearState {
    const LookSource* source = nullptr;
    DayKey selected;
    YearOfPages year;
    YearFigures figures;
    ColourBy by = ColourBy::Mood;
    std::optional<DayKey> chosen;
    OwnedFont font, titleFont;
    HWND colourSwitch = nullptr;
    int square = 0, lineHeight = 0, labelWidth = 0, gridTop = 0;
    // On a short screen the legend, the figures and the switch stand in a column beside the
    // squares, and the year is told by the caption alone, so that the squares stay legible.
    bool sideways = false;
    DayKey pointed;  // the square the status line names: under the mouse, else the selected one
};

void LoadYear(YearState& state) {
    const LookSource& source = *state.source;
    state.year = ReadYearOfPages(source.folder, *source.index, state.selected.year);
    DaysWithPages days = source.index->Days();
    // The page on show counts as it is, saved or not.
    const DayKey& shown = source.onShow.day;
    if (source.onShow.glance.mark.page) days.insert(DayNumberOf(shown));
    if (shown.year == state.selected.year) PutDayMark(state.year, shown.month, shown.day, source.onShow.glance.mark);
    for (const std::int32_t number : source.waiting) {
        const DayKey day = DayKeyOfNumber(number);
        if (day.year != state.selected.year) continue;
        DayMark mark = state.year.At(day.month, day.day);
        mark.page = mark.unreadable = true;
        PutDayMark(state.year, day.month, day.day, mark);
    }
    state.figures = CountYearFigures(days, state.selected.year, source.today);
}

RECT SquareRect(const YearState& state, int month, int day) {
    const int x = kLookMargin + state.labelWidth + (day - 1) * (state.square + kGap);
    const int y = state.gridTop + (month - 1) * (state.square + kGap);
    return {x, y, x + state.square, y + state.square};
}

std::u16string NumberText(int value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

OwnedBrush BrushOf(const LookColour& colour) {
    return OwnedBrush(CreateSolidBrush(RGB(colour.red, colour.green, colour.blue)));
}

void FillSquare(HDC dc, const RECT& square, const LookColour& colour) {
    FillRect(dc, &square, BrushOf(colour).get());
    FrameRect(dc, &square, BrushOf(kOutlineColour).get());
}

std::u16string MonthLabel(int month) { return std::u16string(MonthWord(month, ShownLanguage())); }

// "Monday, 7 December 2026  Hap", or the name of no page.
std::u16string StatusLine(const YearState& state, const DayKey& day) {
    const DayMark& mark = state.year.At(day.month, day.day);
    std::u16string line = LongDateText(day, ShownLanguage()) + u"  ";
    line += LoadText(state.source->instance, DayColour(mark, state.by).name);
    if (mark.unreadable) line += u"  (" + LoadText(state.source->instance, IDS_LOOK_UNREADABLE) + u")";
    return line;
}

void DrawText16(HDC dc, const std::u16string& text, RECT rect, UINT format) {
    DrawTextW(dc, WidePointer(text), -1, &rect, format | DT_NOPREFIX);
}

void Paint(const YearState& state, HWND window) {
    PaintOffScreen(window, [&state](HDC dc, const RECT& client) {
        SelectObject(dc, state.titleFont.get());
        const HINSTANCE instance = state.source->instance;
        if (!state.sideways) {
            DrawText16(dc, NumberText(state.year.year),
                       {kLookMargin, kLookMargin, client.right - kLookMargin, state.gridTop}, DT_LEFT | DT_SINGLELINE);
        }
        SelectObject(dc, state.font.get());

        for (int month = 1; month <= 12; ++month) {
            const RECT first = SquareRect(state, month, 1);
            DrawText16(dc, MonthLabel(month),
                       {kLookMargin, first.top, kLookMargin + state.labelWidth - 4, first.bottom},
                       DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
            const int days = static_cast<int>(DaysInMonth(state.year.year, month));
            for (int day = 1; day <= days; ++day) {
                const RECT square = SquareRect(state, month, day);
                const DayMark& mark = state.year.At(month, day);
                FillSquare(dc, square, DayColour(mark, state.by));
                // A bar in the gap before a day that starts a week.
                if (day > 1 && WeekdayOfDate(state.year.year, month, day) == state.source->firstWeekday) {
                    const RECT bar = {square.left - kGap + 1, square.top, square.left, square.bottom};
                    FillRect(dc, &bar, static_cast<HBRUSH>(GetStockObject(DKGRAY_BRUSH)));
                }
                if (mark.unreadable) {
                    const int inset = state.square / 3;
                    DrawUnreadableMark(
                        dc, {square.left + inset, square.top + inset, square.right - inset, square.bottom - inset});
                }
                if (month == state.selected.month && day == state.selected.day) {
                    RECT ring = {square.left - 2, square.top - 2, square.right + 2, square.bottom + 2};
                    FrameRect(dc, &ring, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
                    InflateRect(&ring, -1, -1);
                    FrameRect(dc, &ring, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
                }
            }
        }

        // The legend, one swatch and name after another (below the squares, or down the column
        // beside them); then the figures and the status line.
        SetTextColor(dc, RGB(0, 0, 0));
        const int left = state.sideways ? SquareRect(state, 1, 31).right + kLookMargin : kLookMargin + state.labelWidth;
        int x = left;
        int y = state.sideways ? state.gridTop : SquareRect(state, 12, 1).bottom + kLookMargin;
        const auto legendEntry = [&](const LookColour& colour, bool unreadable, int textId) {
            const std::u16string name = LoadText(instance, textId);
            SIZE extent{};
            GetTextExtentPoint32W(dc, WidePointer(name), static_cast<int>(name.size()), &extent);
            const int swatchSize = state.lineHeight;
            const int width = swatchSize + 4 + extent.cx + 12;
            if (x > left && (state.sideways || x + width > client.right - kLookMargin)) {
                x = left;
                y += state.lineHeight + (state.sideways ? 2 : 4);
            }
            const RECT swatch = {x, y, x + swatchSize, y + swatchSize};
            FillSquare(dc, swatch, colour);
            if (unreadable) {
                const int inset = swatchSize / 3;
                DrawUnreadableMark(
                    dc, {swatch.left + inset, swatch.top + inset, swatch.right - inset, swatch.bottom - inset});
            }
            SetTextColor(dc, RGB(0, 0, 0));
            DrawText16(dc, name, {x + swatchSize + 4, y, client.right, y + swatchSize},
                       DT_LEFT | DT_VCENTER | DT_SINGLELINE);
            x += width;
        };
        for (const LookColour& colour : LegendColours(state.by)) legendEntry(colour, false, colour.name);
        legendEntry(kNoPageColour, true, IDS_LOOK_UNREADABLE);
        y += state.lineHeight + (state.sideways ? 4 : kLookMargin);

        const std::u16string figures[] = {
            LoadText(instance, IDS_LOOK_PAGES, {NumberText(state.figures.pages)}),
            LoadText(instance, IDS_LOOK_CURRENT_STREAK, {NumberText(state.figures.currentStreak)}),
            LoadText(instance, IDS_LOOK_LONGEST_STREAK, {NumberText(state.figures.longestStreak)})};
        if (state.sideways) {
            for (const std::u16string& figure : figures) {
                DrawText16(dc, figure, {left, y, client.right - kLookMargin, y + state.lineHeight},
                           DT_LEFT | DT_SINGLELINE);
                y += state.lineHeight + 2;
            }
        } else {
            DrawText16(dc, figures[0] + u"    " + figures[1] + u"    " + figures[2],
                       {left, y, client.right - kLookMargin, y + state.lineHeight}, DT_LEFT | DT_SINGLELINE);
            y += state.lineHeight + 4;
        }
        DrawText16(dc, StatusLine(state, state.pointed), {left, y, client.right - kLookMargin, y + state.lineHeight},
                   DT_LEFT | DT_SINGLELINE);
    });
}

// The day of the square at a client point, if there is one.
std::optional<DayKey> DayAt(const YearState& state, int x, int y) {
    x -= kLookMargin + state.labelWidth;
    y -= state.gridTop;
    const int pitch = state.square + kGap;
    if (x < 0 || y < 0 || x % pitch >= state.square || y % pitch >= state.square) return std::nullopt;
    const int day = x / pitch + 1, month = y / pitch + 1;
    if (month > 12 || day > static_cast<int>(DaysInMonth(state.year.year, month))) return std::nullopt;
    return DayKey{state.year.year, month, day, WeekdayOfDate(state.year.year, month, day)};
}

void ShowYearInCaption(const YearState& state, HWND window) {
    const std::u16string caption =
        LoadText(state.source->instance, IDS_LOOK_YEAR_CAPTION, {NumberText(state.selected.year)});
    SetWindowTextW(window, WidePointer(caption));
}

void Select(YearState& state, HWND window, const DayKey& day) {
    const bool otherYear = day.year != state.selected.year;
    state.selected = state.pointed = day;
    if (otherYear) {
        LoadYear(state);
        ShowYearInCaption(state, window);
    }
    InvalidateRect(window, nullptr, FALSE);
}

LRESULT CALLBACK YearProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    YearState* state = LookStateOf<YearState>(window, message, lParam);
    switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT:
        if (state) Paint(*state, window);
        return 0;
    case WM_KEYDOWN:
        if (state && HandleDayKey(*state, window, wParam, kMonthSteps, Select)) return 0;
        break;
    case WM_MOUSEMOVE:
        if (state) {
            const std::optional<DayKey> day =
                DayAt(*state, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
            const DayKey pointed = day ? *day : state->selected;
            if (DayNumberOf(pointed) != DayNumberOf(state->pointed)) {
                state->pointed = pointed;
                InvalidateRect(window, nullptr, FALSE);
            }
        }
        return 0;
    case WM_LBUTTONDOWN:
        if (state) {
            if (const auto day = DayAt(*state, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))))
                OpenChosenDay(*state, window, *day);
        }
        return 0;
    case WM_COMMAND:
        if (state && LOWORD(wParam) == kSwitchId) {
            state->by = SendMessageW(state->colourSwitch, BM_GETCHECK, 0, 0) == BST_CHECKED ? ColourBy::Weather
                                                                                            : ColourBy::Mood;
            SetFocus(window);  // the keys stay with the squares
            InvalidateRect(window, nullptr, FALSE);
            return 0;
        }
        break;
    case WM_CLOSE: EndModalWindow(window); return 0;
    default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

std::optional<DayKey> RunYearView(HWND owner, const LookSource& source) {
    YearState state;
    state.source = &source;
    state.selected = state.pointed = source.onShow.day;
    HWND window = CreateLookWindow(owner, source.instance, kYearClass, YearProc, u"", &state);
    if (!window) return std::nullopt;
    state.font = MakeLookFont(window, 9);
    state.titleFont = MakeLookFont(window, 14, true);
    const int dpi = ScreenDpi(window);
    {
        const OwnedWindowDc dc(window);
        const SelectedObject font(dc.get(), state.font.get());
        TEXTMETRICW metrics;
        GetTextMetricsW(dc.get(), &metrics);
        state.lineHeight = metrics.tmHeight;
        SelectObject(dc.get(), state.titleFont.get());
        GetTextMetricsW(dc.get(), &metrics);
        state.gridTop = kLookMargin + metrics.tmHeight + kLookMargin;
        // Room for the widest month's name.
        SelectObject(dc.get(), state.font.get());
        state.labelWidth = state.lineHeight * 2;
        for (int month = 1; month <= 12; ++month) {
            const std::u16string label = MonthLabel(month);
            SIZE size{};
            GetTextExtentPoint32W(dc.get(), WidePointer(label), static_cast<int>(label.size()), &size);
            state.labelWidth = std::max<int>(state.labelWidth, size.cx + 8);
        }
    }
    // Below the squares: two rows of legend, the figures, the status line and the switch.
    const int below = 3 * kLookMargin + 2 * (state.lineHeight + 4) + 2 * (state.lineHeight + 4) + state.lineHeight + 8;
    // Squares as large as the work area lets them be, up to their size on a desktop screen:
    // on a handheld's 240 lines the whole year still shows.
    RECT frameSize = {0, 0, 0, 0};
    AdjustWindowRectEx(&frameSize, kLookWindowStyle, FALSE, kLookWindowExStyle);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const int fromWidth =
        (work.right - work.left - (frameSize.right - frameSize.left) - 2 * kLookMargin - state.labelWidth) / 31;
    const int fromHeight = (work.bottom - work.top - (frameSize.bottom - frameSize.top) - state.gridTop - below) / 12;
    const int desktop = std::max(MulDiv(18, dpi, 96), state.lineHeight);
    state.square = std::clamp(std::min(fromWidth, fromHeight) - kGap, 6, desktop);
    int width = 2 * kLookMargin + state.labelWidth + 31 * (state.square + kGap);
    int switchLeft = kLookMargin + state.labelWidth;
    int switchTop = state.gridTop + 12 * (state.square + kGap) + below - state.lineHeight - 8 - kLookMargin;
    if (state.square < state.lineHeight) {
        state.sideways = true;
        state.gridTop = kLookMargin;
        const int side = MulDiv(150, dpi, 96);
        const int sideWidth =
            (work.right - work.left - (frameSize.right - frameSize.left) - 2 * kLookMargin - state.labelWidth - side) /
            31;
        const int sideHeight = (work.bottom - work.top - (frameSize.bottom - frameSize.top) - 2 * kLookMargin) / 12;
        state.square = std::clamp(std::min(sideWidth, sideHeight) - kGap, 6, desktop);
        switchLeft = kLookMargin + state.labelWidth + 31 * (state.square + kGap) + kLookMargin;
        width = switchLeft + side;
        // Eight legend lines, the three figures and the status line above the switch.
        switchTop = state.gridTop + 8 * (state.lineHeight + 2) + 4 + 4 * (state.lineHeight + 2);
    }
    const int height =
        std::max(switchTop + state.lineHeight + 8, state.gridTop + 12 * (state.square + kGap)) + kLookMargin;
    const std::u16string switchText = LoadText(source.instance, IDS_LOOK_BY_WEATHER);
    state.colourSwitch = CreateWindowExW(0, L"BUTTON", WidePointer(switchText), WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX,
                                         switchLeft, switchTop, width - switchLeft - kLookMargin, state.lineHeight + 6,
                                         window, reinterpret_cast<HMENU>(kSwitchId), source.instance, nullptr);
    SendMessageW(state.colourSwitch, WM_SETFONT, reinterpret_cast<WPARAM>(state.font.get()), FALSE);
    PlaceLookWindow(window, width, height);
    LoadYear(state);
    ShowYearInCaption(state, window);
    RunModalWindow(owner, window, source.whenShown);
    return state.chosen;
}
