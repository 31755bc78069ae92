#include "book/win32/print_window.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <string>
#include <vector>

#include "book/paper.h"
#include "diarycore/day_file_seal.h"
#include "diarycore/win32/first_weekday.h"
#include "lookback/win32/look_window.h"
#include "platform/win32/loaded_text.h"
#include "platform/win32/shown_language.h"
#include "platform/wide_text.h"
#include "platform/win32/window_object.h"
#include "resources/resource.h"

namespace {

constexpr wchar_t kClassName[] = L"DoodlebinderPrint";
constexpr int kMargin = 8;
enum ControlId { kFrom = 100, kTo, kLayout, kPaper, kPrevious, kNext, kPrint, kClose, kPageLabel };
constexpr Paper kPapers[] = {Paper::A4, Paper::A5, Paper::Letter};
constexpr int kPaperNames[] = {IDS_PRINT_PAPER_A4, IDS_PRINT_PAPER_A5, IDS_PRINT_PAPER_LETTER};

struct PrintState {
    const PrintSource* source = nullptr;
    GdiTextMeasure measure;
    BookDays days;
    Book book;
    int page = 0;
    int controlsHeight = 0;
    bool printing = false, cancelled = false;
    OwnedFont font;
    HWND from = nullptr, to = nullptr, layout = nullptr, paper = nullptr, previous = nullptr, next = nullptr,
         print = nullptr, pageLabel = nullptr;
};

SYSTEMTIME SystemTimeOf(const DayKey& day) {
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(day.year), time.wMonth = static_cast<WORD>(day.month);
    time.wDay = static_cast<WORD>(day.day), time.wDayOfWeek = static_cast<WORD>(day.dayOfWeek);
    return time;
}

DayKey DayOfPicker(HWND picker) {
    SYSTEMTIME time{};
    SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
    return {time.wYear, time.wMonth, time.wDay, WeekdayOfDate(time.wYear, time.wMonth, time.wDay)};
}

std::u16string NumberText(std::size_t value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

void ShowPageLabel(PrintState& state) {
    const HINSTANCE instance = state.source->instance;
    std::u16string label =
        state.book.pages.empty()
            ? LoadText(instance, IDS_PRINT_NO_PAGES)
            : LoadText(instance, IDS_BOOK_PAGE, {NumberText(state.page + 1), NumberText(state.book.pages.size())});
    if (state.days.unreadableDays > 0)
        label += u"  " + LoadText(instance, IDS_PRINT_UNREADABLE, {NumberText(state.days.unreadableDays)});
    SetWindowTextW(state.pageLabel, WidePointer(label));
    EnableWindow(state.previous, state.page > 0 && !state.printing);
    EnableWindow(state.next, state.page + 1 < static_cast<int>(state.book.pages.size()) && !state.printing);
    EnableWindow(state.print, !state.book.pages.empty());
}

Paper ChosenPaper(const PrintState& state) {
    const LRESULT item = SendMessageW(state.paper, CB_GETCURSEL, 0, 0);
    return kPapers[item >= 0 && item < 3 ? item : 0];
}

// The run's days read and laid out again, after any of the choices changed.
void LayOut(PrintState& state, HWND window) {
    DayKey first = DayOfPicker(state.from), last = DayOfPicker(state.to);
    if (DayNumberOf(last) < DayNumberOf(first)) std::swap(first, last);
    state.days = ReadBookDays(state.source->folder, *state.source->index, first, last);
    const bool twoPerPage = SendMessageW(state.layout, CB_GETCURSEL, 0, 0) == 1;
    state.book =
        LayOutBook(state.days.days, SizeOfPaper(ChosenPaper(state)), twoPerPage, state.measure, ShownLanguage());
    state.page = 0;
    ShowPageLabel(state);
    InvalidateRect(window, nullptr, FALSE);
}

// The paper's place in the window, and its dots per millimetre there.
PageOnDevice PreviewPlace(const PrintState& state, const RECT& client, RECT& paper) {
    const PaperSize& size = state.book.paper;
    const int roomWidth = client.right - 2 * kMargin, roomHeight = client.bottom - state.controlsHeight - 2 * kMargin;
    const double scale = std::max(0.1, std::min(roomWidth / size.width, roomHeight / size.height));
    const int width = static_cast<int>(size.width * scale), height = static_cast<int>(size.height * scale);
    paper.left = (client.right - width) / 2;
    paper.top = state.controlsHeight + kMargin;
    paper.right = paper.left + width;
    paper.bottom = paper.top + height;
    return {scale, scale, paper.left, paper.top};
}

void Paint(const PrintState& state, HWND window) {
    PaintOffScreen(window, [&state](HDC dc, const RECT& client) {
        FillRect(dc, &client, GetSysColorBrush(COLOR_APPWORKSPACE));
        if (state.book.pages.empty()) return;
        RECT paper;
        const PageOnDevice at = PreviewPlace(state, client, paper);
        RECT shadow = paper;
        OffsetRect(&shadow, 3, 3);
        FillRect(dc, &shadow, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
        FillRect(dc, &paper, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        DrawBookPage(dc, state.book.pages[state.page], state.days.days, state.source->icons, at);
    });
}

// The printer's page: its dots per millimetre, and the paper's corner before the printable
// area's, where the device's coordinates begin.
PageOnDevice PrinterPlace(HDC printer) {
    return {GetDeviceCaps(printer, LOGPIXELSX) / 25.4, GetDeviceCaps(printer, LOGPIXELSY) / 25.4,
            -GetDeviceCaps(printer, PHYSICALOFFSETX), -GetDeviceCaps(printer, PHYSICALOFFSETY)};
}

// A printer's device context from the system's print dialog, or null when none was chosen.
OwnedDc AskForPrinter(HWND window) {
    PRINTDLGEXW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = window;
    dialog.Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOCURRENTPAGE | PD_NOPAGENUMS;
    dialog.nStartPage = START_PAGE_GENERAL;
    if (SUCCEEDED(PrintDlgExW(&dialog))) {
        if (dialog.hDevMode) GlobalFree(dialog.hDevMode);
        if (dialog.hDevNames) GlobalFree(dialog.hDevNames);
        OwnedDc printer(dialog.hDC);
        if (dialog.dwResultAction != PD_RESULT_PRINT) printer.reset();
        return printer;
    }
    // Wine may have no PrintDlgEx: the older dialog asks the same.
    PRINTDLGW older{};
    older.lStructSize = sizeof(older);
    older.hwndOwner = window;
    older.Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS;
    if (!PrintDlgW(&older)) return {};
    if (older.hDevMode) GlobalFree(older.hDevMode);
    if (older.hDevNames) GlobalFree(older.hDevNames);
    return OwnedDc(older.hDC);
}

// Lets the window answer between pages: its paints, Cancel, moving it.
void AnswerMessages(HWND window) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (!IsDialogMessageW(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

void PrintBook(PrintState& state, HWND window) {
    OwnedDc printerDc = AskForPrinter(window);
    if (!printerDc) return;
    const HDC printer = printerDc.get();
    const HINSTANCE instance = state.source->instance;
    const std::u16string title = LoadText(instance, IDS_PRINT_CAPTION);
    DOCINFOW document{};
    document.cbSize = sizeof(document);
    document.lpszDocName = WidePointer(title);
    state.printing = true;
    state.cancelled = false;
    SetWindowTextW(state.print, WidePointer(LoadText(instance, IDS_PRINT_CANCEL)));
    ShowPageLabel(state);
    bool printed = StartDocW(printer, &document) > 0;
    const PageOnDevice at = PrinterPlace(printer);
    const std::size_t pages = state.book.pages.size();
    for (std::size_t page = 0; printed && page < pages && !state.cancelled; ++page) {
        SetWindowTextW(state.pageLabel,
                       WidePointer(LoadText(instance, IDS_PRINT_PRINTING, {NumberText(page + 1), NumberText(pages)})));
        AnswerMessages(window);
        if (state.cancelled || !IsWindow(window)) break;
        printed = StartPage(printer) > 0;
        if (printed) DrawBookPage(printer, state.book.pages[page], state.days.days, state.source->icons, at);
        printed = printed && EndPage(printer) > 0;
    }
    if (printed && !state.cancelled) {
        printed = EndDoc(printer) > 0;
    } else {
        AbortDoc(printer);
    }
    printerDc.reset();
    state.printing = false;
    if (!IsWindow(window)) return;
    SetWindowTextW(state.print, WidePointer(LoadText(instance, IDS_PRINT_PRINT)));
    ShowPageLabel(state);
    if (!printed && !state.cancelled) ShowMessageBox(window, instance, IDS_PRINT_FAILED, IDS_CAPTION_ERR, MB_ICONHAND);
}

HWND MakeControl(HWND window, const PrintState& state, const wchar_t* className, const std::u16string& text,
                 DWORD style, int id, int x, int y, int width, int height) {
    HWND control =
        CreateWindowExW(0, className, WidePointer(text), WS_CHILD | WS_VISIBLE | style, x, y, width, height, window,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), state.source->instance, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(state.font.get()), FALSE);
    return control;
}

void MakeControls(PrintState& state, HWND window, int dpi) {
    const HINSTANCE instance = state.source->instance;
    const auto scaled = [dpi](int value) { return MulDiv(value, dpi, 96); };
    const int row = scaled(24), y1 = kMargin, y2 = kMargin + row + scaled(6);
    int x = kMargin;
    const auto place = [&](int width) {
        const int at = x;
        x += width + scaled(6);
        return at;
    };
    // A label as wide as its words in the window's font, in either language.
    const auto label = [&](int textId, int atLeast) {
        const std::u16string text = LoadText(instance, textId);
        const OwnedWindowDc dc(window);
        const SelectedObject font(dc.get(), state.font.get());
        SIZE size{};
        GetTextExtentPoint32W(dc.get(), WidePointer(text), static_cast<int>(text.size()), &size);
        const int width = std::max(scaled(atLeast), static_cast<int>(size.cx) + scaled(4));
        MakeControl(window, state, L"STATIC", text, SS_RIGHT | SS_CENTERIMAGE, 0, place(width), y1, width, row);
    };
    label(IDS_PRINT_FROM, 36);
    state.from = MakeControl(window, state, DATETIMEPICK_CLASSW, u"", WS_TABSTOP | DTS_SHORTDATEFORMAT, kFrom,
                             place(scaled(140)), y1, scaled(140), row);
    label(IDS_PRINT_TO, 24);
    state.to = MakeControl(window, state, DATETIMEPICK_CLASSW, u"", WS_TABSTOP | DTS_SHORTDATEFORMAT, kTo,
                           place(scaled(140)), y1, scaled(140), row);
    // Dates as the rest of the program writes them in the shown language, not the locale's
    // short form.
    const std::u16string dateFormat = LoadText(instance, IDS_DATE_PICKER_FORMAT);
    for (HWND picker : {state.from, state.to})
        SendMessageW(picker, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(WidePointer(dateFormat)));
    state.layout = MakeControl(window, state, L"COMBOBOX", u"", WS_TABSTOP | CBS_DROPDOWNLIST, kLayout,
                               place(scaled(130)), y1, scaled(130), scaled(120));
    state.paper = MakeControl(window, state, L"COMBOBOX", u"", WS_TABSTOP | CBS_DROPDOWNLIST, kPaper, place(scaled(80)),
                              y1, scaled(80), scaled(120));
    for (int text : {IDS_PRINT_ONE_A_PAGE, IDS_PRINT_TWO_A_PAGE})
        SendMessageW(state.layout, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WidePointer(LoadText(instance, text))));
    for (int text : kPaperNames)
        SendMessageW(state.paper, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WidePointer(LoadText(instance, text))));
    SendMessageW(state.layout, CB_SETCURSEL, 0, 0);
    SendMessageW(state.paper, CB_SETCURSEL, 0, 0);

    x = kMargin;
    state.previous = MakeControl(window, state, L"BUTTON", LoadText(instance, IDS_PRINT_PREVIOUS), WS_TABSTOP,
                                 kPrevious, place(scaled(80)), y2, scaled(80), row);
    state.next = MakeControl(window, state, L"BUTTON", LoadText(instance, IDS_PRINT_NEXT), WS_TABSTOP, kNext,
                             place(scaled(80)), y2, scaled(80), row);
    state.pageLabel = MakeControl(window, state, L"STATIC", u"", SS_CENTERIMAGE, kPageLabel, place(scaled(250)), y2,
                                  scaled(250), row);
    state.print = MakeControl(window, state, L"BUTTON", LoadText(instance, IDS_PRINT_PRINT),
                              WS_TABSTOP | BS_DEFPUSHBUTTON, kPrint, place(scaled(80)), y2, scaled(80), row);
    MakeControl(window, state, L"BUTTON", LoadText(instance, IDS_PRINT_CLOSE), WS_TABSTOP, kClose, place(scaled(70)),
                y2, scaled(70), row);
    state.controlsHeight = y2 + row + kMargin;

    // The month on show, whole.
    const DayKey& day = state.source->onShow;
    const SYSTEMTIME first = SystemTimeOf({day.year, day.month, 1, WeekdayOfDate(day.year, day.month, 1)});
    const int lastDay = static_cast<int>(DaysInMonth(day.year, day.month));
    const SYSTEMTIME last = SystemTimeOf({day.year, day.month, lastDay, WeekdayOfDate(day.year, day.month, lastDay)});
    SendMessageW(state.from, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&first));
    SendMessageW(state.to, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&last));
}

void TurnPage(PrintState& state, HWND window, int step) {
    const int page = state.page + step;
    if (state.printing || page < 0 || page >= static_cast<int>(state.book.pages.size())) return;
    state.page = page;
    ShowPageLabel(state);
    InvalidateRect(window, nullptr, FALSE);
}

LRESULT CALLBACK PrintProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    PrintState* state = LookStateOf<PrintState>(window, message, lParam);
    switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT:
        if (state) Paint(*state, window);
        return 0;
    case WM_NOTIFY:
        if (!state) return 0;
        if (const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam); header->code == DTN_DROPDOWN) {
            // The calendar a picker drops down starts its weeks where the program's do.
            const auto calendar = reinterpret_cast<HWND>(SendMessageW(header->hwndFrom, DTM_GETMONTHCAL, 0, 0));
            SendMessageW(calendar, MCM_SETFIRSTDAYOFWEEK, 0, CalendarFirstDay(state->source->firstWeekday));
        } else if (header->code == DTN_DATETIMECHANGE && !state->printing) {
            LayOut(*state, window);
        }
        return 0;
    case WM_COMMAND:
        if (!state) break;
        switch (LOWORD(wParam)) {
        case kLayout:
        case kPaper:
            if (HIWORD(wParam) == CBN_SELCHANGE && !state->printing) LayOut(*state, window);
            return 0;
        case kPrevious: TurnPage(*state, window, -1); return 0;
        case kNext: TurnPage(*state, window, 1); return 0;
        case kPrint:
        case IDOK:  // Enter: Print... is the default button
            if (state->printing)
                state->cancelled = true;
            else
                PrintBook(*state, window);
            return 0;
        case kClose:
        case IDCANCEL:
            if (state->printing) state->cancelled = true;
            EndModalWindow(window);
            return 0;
        default: break;
        }
        break;
    case WM_KEYDOWN:
        if (!state) break;
        if (wParam == VK_PRIOR || wParam == VK_LEFT) TurnPage(*state, window, -1);
        if (wParam == VK_NEXT || wParam == VK_RIGHT) TurnPage(*state, window, 1);
        if (wParam == VK_ESCAPE) EndModalWindow(window);
        return 0;
    case WM_CLOSE:
        if (state) state->cancelled = true;
        EndModalWindow(window);
        return 0;
    default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

void RunPrintWindow(HWND owner, const PrintSource& source) {
    PrintState state;
    state.source = &source;
    // A locked diary's pages are printed as they are, and said so where the window is named.
    std::u16string caption = LoadText(source.instance, IDS_PRINT_CAPTION);
    if (DayFileSealOf(source.folder)) caption += u" \u2014 " + LoadText(source.instance, IDS_EXPORT_NOT_LOCKED);
    HWND window = CreateLookWindow(owner, source.instance, kClassName, PrintProc, caption, &state);
    if (!window) return;
    SetWindowLongPtrW(window, GWL_EXSTYLE, GetWindowLongPtrW(window, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
    state.font = MakeLookFont(window, 9);
    const int dpi = ScreenDpi(window);
    MakeControls(state, window, dpi);
    PlaceLookWindow(window, MulDiv(720, dpi, 96), MulDiv(820, dpi, 96));
    LayOut(state, window);
    RunModalWindow(owner, window, source.whenShown);
}
