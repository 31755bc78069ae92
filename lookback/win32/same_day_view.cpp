#include "lookback/win32/same_day_view.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "diarycore/date_words.h"
#include "lookback/day_lists.h"
#include "platform/win32/loaded_text.h"
#include "platform/win32/shown_language.h"
#include "platform/wide_text.h"
#include "resources/resource.h"

namespace {

constexpr wchar_t kSameDayClass[] = L"DoodlebinderSameDay";
constexpr int kListId = 100;

struct SameDayState {
    const LookSource* source = nullptr;
    std::vector<DayGlance> days;
    std::optional<DayKey> chosen;
    HWND list = nullptr;
    HIMAGELIST thumbnails = nullptr;
    OwnedFont font;

    ~SameDayState() {
        if (thumbnails) ImageList_Destroy(thumbnails);
    }
};

void Open(SameDayState& state, HWND window, int item) {
    if (item < 0 || item >= static_cast<int>(state.days.size())) return;
    state.chosen = DayKeyOfNumber(state.days[item].day);
    EndModalWindow(window);
}

// The list, or the words that there is none yet.
void Fill(SameDayState& state, HWND window, int thumbWidth, int thumbHeight, const RECT& room) {
    const HINSTANCE instance = state.source->instance;
    if (state.days.empty()) {
        const std::u16string none = LoadText(instance, IDS_LOOK_SAME_DAY_NONE);
        HWND words = CreateWindowExW(0, L"STATIC", WidePointer(none), WS_CHILD | WS_VISIBLE | SS_CENTER, room.left,
                                     room.top + (room.bottom - room.top) / 3, room.right - room.left,
                                     (room.bottom - room.top) / 3, window, nullptr, instance, nullptr);
        SendMessageW(words, WM_SETFONT, reinterpret_cast<WPARAM>(state.font.get()), FALSE);
        return;
    }
    state.list = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                                 WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                                 room.left, room.top, room.right - room.left, room.bottom - room.top, window,
                                 reinterpret_cast<HMENU>(kListId), instance, nullptr);
    SendMessageW(state.list, WM_SETFONT, reinterpret_cast<WPARAM>(state.font.get()), FALSE);
    SendMessageW(state.list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    state.thumbnails = ImageList_Create(thumbWidth, thumbHeight, ILC_COLOR32, static_cast<int>(state.days.size()), 0);
    for (const DayGlance& glance : state.days) {
        const OwnedBitmap thumbnail = MakeThumbnail(state.source->Drawing(glance), thumbWidth, thumbHeight);
        ImageList_Add(state.thumbnails, thumbnail.get(), nullptr);
    }
    SendMessageW(state.list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(state.thumbnails));
    const int yearWidth = thumbWidth + MulDiv(60, thumbHeight, 53);
    AddListColumn(state.list, 0, LoadText(instance, IDS_LOOK_SAME_DAY_YEAR), yearWidth);
    AddListColumn(state.list, 1, LoadText(instance, IDS_LOOK_SAME_DAY_TEXT), room.right - room.left - yearWidth - 24);
    for (int item = 0; item < static_cast<int>(state.days.size()); ++item) {
        const DayGlance& glance = state.days[item];
        std::wstring year = std::to_wstring(glance.day / 10000);
        if (glance.mark.unreadable) year += L" !";
        LVITEMW row{};
        row.mask = LVIF_TEXT | LVIF_IMAGE;
        row.iItem = item;
        row.iImage = item;
        row.pszText = year.data();
        SendMessageW(state.list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&row));
        row.mask = LVIF_TEXT;
        row.iSubItem = 1;
        row.pszText = const_cast<wchar_t*>(WidePointer(glance.firstWords));
        SendMessageW(state.list, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&row));
    }
    ListView_SetItemState(state.list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

LRESULT CALLBACK SameDayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    SameDayState* state = LookStateOf<SameDayState>(window, message, lParam);
    switch (message) {
    case WM_SETFOCUS:
        if (state && state->list) SetFocus(state->list);
        return 0;
    case WM_KEYDOWN:  // with an empty list, the window itself has the keys
        if (wParam == VK_ESCAPE || wParam == VK_RETURN) EndModalWindow(window);
        return 0;
    case WM_NOTIFY:
        if (state && wParam == kListId) {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->code == NM_DBLCLK) Open(*state, window, reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem);
            if (header->code == NM_RETURN) Open(*state, window, ListView_GetNextItem(state->list, -1, LVNI_SELECTED));
            if (header->code == LVN_KEYDOWN && reinterpret_cast<const NMLVKEYDOWN*>(lParam)->wVKey == VK_ESCAPE)
                EndModalWindow(window);
        }
        return 0;
    case WM_CLOSE: EndModalWindow(window); return 0;
    default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

std::optional<DayKey> RunSameDayView(HWND owner, const LookSource& source) {
    SameDayState state;
    state.source = &source;
    state.days = ReadSameDayInEarlierYears(source.folder, *source.index, source.onShow.day);
    const std::u16string caption =
        LoadText(source.instance, IDS_LOOK_SAME_DAY_CAPTION, {LongDateText(source.onShow.day, ShownLanguage())});
    HWND window = CreateLookWindow(owner, source.instance, kSameDayClass, SameDayProc, caption, &state);
    if (!window) return std::nullopt;
    state.font = MakeLookFont(window, 9);
    const int dpi = ScreenDpi(window);
    const int thumbWidth = MulDiv(88, dpi, 96), thumbHeight = thumbWidth * 160 / 264;
    PlaceLookWindow(window, MulDiv(520, dpi, 96), MulDiv(400, dpi, 96));
    RECT room;
    GetClientRect(window, &room);
    InflateRect(&room, -kLookMargin, -kLookMargin);
    Fill(state, window, thumbWidth, thumbHeight, room);
    RunModalWindow(owner, window, source.whenShown);
    return state.chosen;
}
