// What the windows that look back over the diary share: what they are given, the modal
// run over the diary window, and the drawing of a day's small picture and icons.
#pragma once

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "diarycore/calendar.h"
#include "diarycore/pages_in_folder.h"
#include "lookback/day_drawing.h"
#include "lookback/day_glance.h"
#include "platform/win32/window_object.h"

// The page on show as it is in memory, unsaved changes included: the views show it in
// place of its day's files.
struct PageOnShow {
    DayKey day;
    DayGlance glance;
    std::optional<DayDrawing> drawing;  // nothing while it cannot be captured
};

struct LookSource {
    std::filesystem::path folder;
    const DayFileIndex* index = nullptr;
    DayKey today;
    PageOnShow onShow;
    // Days (YYYYMMDD) with a sync tool's copy that could not be taken in: marked as a day
    // with a file that cannot be read.
    std::set<std::int32_t> waiting;
    HINSTANCE instance = nullptr;
    std::int32_t firstWeekday = 0;  // the weekday the weeks start on, 0 = Sunday
    HDC weatherIcons = nullptr;     // the page's icon strips: icon i at x = i * iconSize
    HDC moodIcons = nullptr;
    int iconSize = 16;
    // Called once the window is up and painted, before it takes any input (the bench's clock).
    std::function<void(HWND)> whenShown;

    // The day at a glance, the page on show as it is.
    DayGlance Glance(std::int32_t day, bool withWords) const;
    // The day's drawing: the page on show's from memory, any other's read from its file.
    std::optional<DayDrawing> Drawing(const DayGlance& glance) const;
};

// Shows `window`, owned by `owner`, painted, and runs its messages until it is destroyed,
// with the owner disabled meanwhile, as a dialog box does.
void RunModalWindow(HWND owner, HWND window, const std::function<void(HWND)>& whenShown);
// Ends that run: the owner is enabled before the window goes, so that it, and not some
// other program's window, is activated in its place.
void EndModalWindow(HWND window);

// The three windows' frame: a caption with a close box, no sizing.
// The space around and between what the views draw, in pixels at 96 DPI.
inline constexpr int kLookMargin = 8;
inline constexpr DWORD kLookWindowStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
inline constexpr DWORD kLookWindowExStyle = WS_EX_DLGMODALFRAME;

// Registers the class (once; later calls find it there) and makes a hidden window of it
// over `owner`, whose procedure finds `state` with LookStateOf.
HWND CreateLookWindow(HWND owner, HINSTANCE instance, const wchar_t* className, WNDPROC procedure,
                      const std::u16string& caption, void* state);
// The state a window was made with: taken from WM_NCCREATE, kept in the window.
template <typename State>
State* LookStateOf(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* state = static_cast<State*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
        return state;
    }
    return reinterpret_cast<State*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}
// The window's frame around a client area of that size, centred over the owner and cut
// down to the work area.
void PlaceLookWindow(HWND window, int clientWidth, int clientHeight);
// The screen's dots per inch, which the windows' sizes follow.
int ScreenDpi(HWND window);
// WM_PAINT: the whole client area drawn off screen by `draw`, then shown at once, so that
// moving the selection does not flicker.
void PaintOffScreen(HWND window, const std::function<void(HDC, const RECT&)>& draw);

// How a view's arrow and page keys move its selected day: left and right a day, up and
// down `upDownDays` days or `upDownMonths` months, Page Up and Page Down `pageMonths`
// months; Home goes back to the day on show. Nothing for any other key.
struct SelectionSteps {
    int upDownDays = 0;
    int upDownMonths = 0;
    int pageMonths = 1;
};
std::optional<DayKey> MovedSelection(WPARAM key, const DayKey& selected, const DayKey& onShow,
                                     const SelectionSteps& steps);

// The view ends with `day` as the one to open.
template <typename State>
void OpenChosenDay(State& state, HWND window, const DayKey& day) {
    state.chosen = day;
    EndModalWindow(window);
}

// A key in a view with a selected day: the moves go to `select`, Enter opens the selected
// day (the view's `chosen`) and ends the view, Escape ends it. False for any other key.
template <typename State>
bool HandleDayKey(State& state, HWND window, WPARAM key, const SelectionSteps& steps,
                  void (*select)(State&, HWND, const DayKey&)) {
    if (const auto day = MovedSelection(key, state.selected, state.source->onShow.day, steps)) {
        select(state, window, *day);
    } else if (key == VK_RETURN) {
        OpenChosenDay(state, window, state.selected);
    } else if (key == VK_ESCAPE) {
        EndModalWindow(window);
    } else {
        return false;
    }
    return true;
}

// A 32-bit bitmap of 0x00RRGGBB pixels, row 0 at the top.
OwnedBitmap MakeBitmapOfPixels(const std::vector<std::uint32_t>& pixels, int width, int height);
// The day's drawing at that size in a bitmap; a white one without a drawing.
OwnedBitmap MakeThumbnail(const std::optional<DayDrawing>& drawing, int width, int height);

// A column of a report list view (On This Day, Earlier Versions): its title and width.
void AddListColumn(HWND list, int index, const std::u16string& title, int width);

// The font of the looking-back windows at `points` points for the window's screen.
OwnedFont MakeLookFont(HWND window, int points, bool bold = false);

// The day's weather and mood icons side by side from `x`, at the strips' own size.
void DrawDayIcons(HDC dc, const LookSource& source, const DayMark& mark, int x, int y);
// A black mark with "!" in the square, for a day whose files could not be read.
void DrawUnreadableMark(HDC dc, const RECT& square);
