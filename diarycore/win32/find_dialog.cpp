#include "diarycore/win32/find_dialog.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "diarycore/diary_search.h"
#include "diarycore/search_folding.h"
#include "platform/win32/dialog_placement.h"
#include "platform/win32/dialog_template.h"
#include "platform/win32/loaded_text.h"
#include "platform/wide_text.h"
#include "platform/win32/window_text.h"

namespace {

// Typing runs the search once the keys pause this long.
constexpr UINT kSearchPauseMs = 250;
constexpr UINT_PTR kSearchTimer = 1;
// Posted when the dialog opens: the diary is read once it is on screen.
constexpr UINT kReadDiary = WM_APP + 1;
// Units of a matching line shown, cut around the match.
constexpr std::size_t kExcerptUnits = 48;
constexpr int kMargin = 6;

struct FindState {
    HINSTANCE instance = nullptr;  // whose string table the dialog's texts come from
    std::optional<DayKey> chosen;
    bool searchPending = false;
    WNDPROC wordsProc = nullptr;  // the edit control's own
    FindSource source;
    std::optional<DiaryRecords> records;  // read once, when the dialog has opened
    std::vector<SearchHit> hits;
    std::vector<std::u16string> cells;  // date, place, line for each hit, as the list shows them
};

HWND Item(HWND dialog, int id) { return GetDlgItem(dialog, id); }

RECT ClientRectOf(HWND control, HWND dialog) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// The dialog placed as every dialog is, cut down to the work area where it is larger (a
// 240-line screen is lower than the template); the words on top, the buttons and the
// count of unreadable days at the bottom, the list between them.
void FitFindDialog(HWND dialog) {
    PlaceDialog(dialog);

    RECT client{};
    GetClientRect(dialog, &client);
    const RECT words = ClientRectOf(Item(dialog, IDC_FIND_WORDS), dialog);
    const RECT open = ClientRectOf(Item(dialog, IDOK), dialog);
    const int buttonWidth = open.right - open.left, buttonHeight = open.bottom - open.top;
    const int inner = client.right - 2 * kMargin;
    const int buttonsTop = client.bottom - kMargin - buttonHeight;
    MoveWindow(Item(dialog, IDC_FIND_WORDS), kMargin, kMargin, inner, words.bottom - words.top, FALSE);
    const int listTop = kMargin + (words.bottom - words.top) + kMargin;
    MoveWindow(Item(dialog, IDC_FIND_RESULTS), kMargin, listTop, inner, buttonsTop - kMargin - listTop, FALSE);
    MoveWindow(Item(dialog, IDCANCEL), client.right - kMargin - buttonWidth, buttonsTop, buttonWidth, buttonHeight,
               FALSE);
    MoveWindow(Item(dialog, IDOK), client.right - 2 * (kMargin + buttonWidth) + kMargin, buttonsTop, buttonWidth,
               buttonHeight, FALSE);
    MoveWindow(Item(dialog, IDC_FIND_UNREADABLE), kMargin, buttonsTop + 3,
               client.right - 3 * kMargin - 2 * buttonWidth - kMargin, buttonHeight - 3, FALSE);
}

// Date and place as wide as their widest text; the line takes the rest.
void AddColumns(HWND list, HINSTANCE instance) {
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    RECT client{};
    GetClientRect(list, &client);
    auto widthOf = [list](const wchar_t* text) {
        return static_cast<int>(SendMessageW(list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text))) + 16;
    };
    const std::u16string placeTitle = LoadText(instance, IDS_FIND_PLACE);
    const int dateWidth = widthOf(L"0000-00-00");
    const int placeWidth = std::max(widthOf(L"FRND"), widthOf(WidePointer(placeTitle)));
    const int lineWidth =
        std::max(40, static_cast<int>(client.right) - dateWidth - placeWidth - GetSystemMetrics(SM_CXVSCROLL));
    const struct {
        std::u16string title;
        int width;
    } columns[] = {{LoadText(instance, IDS_FIND_DATE), dateWidth},
                   {placeTitle, placeWidth},
                   {LoadText(instance, IDS_FIND_TEXT), lineWidth}};
    for (int i = 0; i < 3; ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<wchar_t*>(WidePointer(columns[i].title));
        column.cx = columns[i].width;
        column.iSubItem = i;
        SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
}

std::u16string UnreadableText(HINSTANCE instance, int days) {
    if (days == 0) return u"";
    const std::string count = std::to_string(days);
    const std::u16string number(count.begin(), count.end());
    return LoadText(instance, days == 1 ? IDS_ONE_DAY_UNREAD : IDS_DAYS_UNREAD, {number});
}

void RunSearch(HWND dialog, FindState& state);

// Every record of the diary, read while the dialog says so; what was typed meanwhile is
// searched at once.
void ReadDiary(HWND dialog, FindState& state) {
    HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    SetWindowTextW(Item(dialog, IDC_FIND_UNREADABLE), WidePointer(LoadText(state.instance, IDS_FIND_READING)));
    UpdateWindow(Item(dialog, IDC_FIND_UNREADABLE));
    const std::filesystem::path folder(state.source.folder);
    state.records = state.source.names ? ReadDiaryRecords(folder, *state.source.names) : ReadDiaryRecords(folder);
    // The page on show as it is now: typing not yet saved is found too.
    if (state.source.pageOnShow) PutPageOnShow(*state.records, *state.source.pageOnShow);
    SetCursor(previous);
    const std::u16string unreadable = UnreadableText(state.instance, state.records->unreadableDays);
    SetWindowTextW(Item(dialog, IDC_FIND_UNREADABLE), WidePointer(unreadable));
    if (state.searchPending) RunSearch(dialog, state);
}

void RunSearch(HWND dialog, FindState& state) {
    KillTimer(dialog, kSearchTimer);
    state.searchPending = false;
    if (!state.records) ReadDiary(dialog, state);
    DiarySearch search = SearchDiary(*state.records, SearchWords(ReadWindowText(Item(dialog, IDC_FIND_WORDS))));
    state.hits = std::move(search.hits);
    state.cells.clear();
    for (const SearchHit& hit : state.hits) {
        state.cells.push_back(IsoDateText(hit.day));
        state.cells.emplace_back(PlaceCodeText(hit.place));
        state.cells.push_back(LineExcerpt(hit.line, kExcerptUnits));
    }
    HWND list = Item(dialog, IDC_FIND_RESULTS);
    // A selection made in the last results must not open a day of the new ones.
    LVITEMW none{};
    none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
    SendMessageW(list, LVM_SETITEMCOUNT, state.hits.size(), 0);
    SendMessageW(list, LVM_ENSUREVISIBLE, 0, FALSE);
    InvalidateRect(list, nullptr, TRUE);
}

// The selected day, or the newest when none is selected; nothing when none was found.
void OpenResult(HWND dialog, FindState& state, int item) {
    if (state.searchPending) RunSearch(dialog, state);
    if (item < 0) {
        item = static_cast<int>(SendMessageW(Item(dialog, IDC_FIND_RESULTS), LVM_GETNEXTITEM, -1, LVNI_SELECTED));
    }
    if (item < 0 && !state.hits.empty()) item = 0;
    if (item < 0 || item >= static_cast<int>(state.hits.size())) {
        MessageBeep(MB_OK);
        return;
    }
    state.chosen = state.hits[static_cast<std::size_t>(item)].day;
    EndDialog(dialog, IDOK);
}

// The arrow and page keys move through the results while the words keep the focus, so
// that typing, choosing and Enter need no Tab.
LRESULT CALLBACK WordsProc(HWND words, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND dialog = GetParent(words);
    auto* state = reinterpret_cast<FindState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (message == WM_KEYDOWN && (wParam == VK_UP || wParam == VK_DOWN || wParam == VK_PRIOR || wParam == VK_NEXT)) {
        HWND list = Item(dialog, IDC_FIND_RESULTS);
        if (SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED) < 0 &&
            SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) > 0) {
            // The first key selects the newest rather than the one after it.
            LVITEMW first{};
            first.state = first.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
            SendMessageW(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&first));
            return 0;
        }
        return SendMessageW(list, message, wParam, lParam);
    }
    return CallWindowProcW(state->wordsProc, words, message, wParam, lParam);
}

INT_PTR OnNotify(HWND dialog, FindState& state, NMHDR& header) {
    if (header.idFrom != IDC_FIND_RESULTS) return FALSE;
    if (header.code == LVN_GETDISPINFOW) {
        LVITEMW& item = reinterpret_cast<NMLVDISPINFOW&>(header).item;
        const std::size_t cell = static_cast<std::size_t>(item.iItem) * 3 + static_cast<std::size_t>(item.iSubItem);
        if ((item.mask & LVIF_TEXT) && item.iSubItem < 3 && cell < state.cells.size()) {
            item.pszText = const_cast<wchar_t*>(WidePointer(state.cells[cell]));
        }
        return TRUE;
    }
    if (header.code == NM_DBLCLK) {
        const int item = reinterpret_cast<NMITEMACTIVATE&>(header).iItem;
        if (item >= 0) OpenResult(dialog, state, item);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK FindDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<FindState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        state = reinterpret_cast<FindState*>(lParam);
        state->wordsProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(Item(dialog, IDC_FIND_WORDS), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WordsProc)));
        FitFindDialog(dialog);
        AddColumns(Item(dialog, IDC_FIND_RESULTS), state->instance);
        PostMessageW(dialog, kReadDiary, 0, 0);
        return TRUE;  // the focus goes to the words
    case kReadDiary:
        if (!state->records) ReadDiary(dialog, *state);
        return TRUE;
    case WM_TIMER:
        if (wParam == kSearchTimer) RunSearch(dialog, *state);
        return TRUE;
    case WM_NOTIFY: return state ? OnNotify(dialog, *state, *reinterpret_cast<NMHDR*>(lParam)) : FALSE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_FIND_WORDS:
            if (HIWORD(wParam) == EN_CHANGE) {
                state->searchPending = true;
                SetTimer(dialog, kSearchTimer, kSearchPauseMs, nullptr);
            }
            return TRUE;
        case IDOK: OpenResult(dialog, *state, -1); return TRUE;
        case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
        default: return FALSE;
        }
    default: return FALSE;
    }
}

}  // namespace

std::optional<DayKey> RunFindDialog(HWND owner, HINSTANCE instance, FindSource source) {
    const DLGTEMPLATE* dialogTemplate = FindDialogTemplate(instance, IDD_FIND);
    if (!dialogTemplate) return std::nullopt;
    FindState state;
    state.source = std::move(source);
    DialogBoxIndirectParamW(instance, dialogTemplate, owner, FindDialogProc, reinterpret_cast<LPARAM>(&state));
    return state.chosen;
}
