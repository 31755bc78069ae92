// The diary program with a clock around every change of day. It gives the days
// before today a page each where the data folder has none (a few lines of text
// and a drawing), steps back through them and forward again as the arrows do,
// several times over, and times each step with QueryPerformanceCounter: the save
// of the page on show, the load of the next one and the repaint of the window.
// Then, on one of those pages, it times the save and the load on their own, and each
// segment of a stroke from its mouse message to the screen. The same steps back and
// forward and the same stroke are timed again with the page at 4x. The times go to
// "day-switch-times.txt" in the data folder; then the program ends. The screen must have
// room for the page at 4x (2600 x 1000 at 96 dots per inch).
// Run it from a folder of its own: the pages it makes are real day files.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/win32/diary_window.h"
#include "app/win32/shell_state.h"
#include "app/win32/startup.h"
#include "app/win32/window_zoom.h"
#include "bench/sample_drawing.h"
#include "diarycore/picture_bytes.h"
#include "diarycore/record.h"
#include "lookback/month_grid.h"
#include "app/win32/look_back.h"
#include "page/win32/navigation.h"
#include "app/win32/print_days.h"
#include "page/win32/page_files.h"
#include "page/win32/today.h"
#include "platform/file_write.h"

namespace {

constexpr int kPages = 30;  // days before today with a page
constexpr int kRounds = 3;  // back through them and forward again, this many times

// A page like a user's: three lines of text and a few strokes of colour.
bool WritePage(const std::u16string& folder, const DayKey& day, int n) {
    DayRecord record;
    record.weather = static_cast<uint8_t>(1 + n % 5);
    record.mood = static_cast<uint8_t>(n % 6);
    record.place = static_cast<uint8_t>(n % 8);
    record.text = u"今日は公園まで歩いた。\r\n桜がきれいで、写真を何枚も撮った。\r\n夜は早く寝た。";
    const std::vector<uint8_t> pixels = SampleDrawingPixels(n);
    const DayFilePair paths = DayFileNames(folder, day);
    return WriteFileSafely(std::filesystem::path(paths.record), SerializeRecord(record).bytes) == WriteStatus::Ok &&
           WriteFileSafely(std::filesystem::path(paths.picture), PictureFileBytes(pixels)) == WriteStatus::Ok;
}

bool MakePages(const std::u16string& folder) {
    DayKey day = GetToday();
    for (int n = 0; n < kPages; ++n) {
        PreviousDay(day);
        const DayFilePair paths = DayFileNames(folder, day);
        const bool present =
            GetFileAttributesW(reinterpret_cast<const wchar_t*>(paths.record.c_str())) != INVALID_FILE_ATTRIBUTES;
        if (!present && !WritePage(folder, day, n)) return false;
    }
    return true;
}

// Lets the window finish whatever the last action queued, outside the clock.
void DrainMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

DiaryWindow& Diary() { return DiaryOf(g_shell.mainWindow); }

// Milliseconds of one action, up to the window painted with its outcome.
double TimeOne(const std::function<void()>& action, double ticksPerMs) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    action();
    RedrawWindow(g_shell.mainWindow, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    QueryPerformanceCounter(&end);
    return static_cast<double>(end.QuadPart - start.QuadPart) / ticksPerMs;
}

struct Times {
    std::vector<double> steps, saves, loads, editedSteps, strokes, zoomedSteps, zoomedStrokes;
    std::vector<double> months, years, sameDays;  // the windows that look back, opened and painted
    std::vector<double> previewPages;             // a page of the print preview drawn again
    int filesWrittenByVisits = 0;
    int zoom = 0;  // the zoom the second round was taken at
};

// Every day file's last write, to tell whether looking at the pages wrote any of them.
std::vector<std::filesystem::file_time_type> WriteTimesOfFolder() {
    std::vector<std::filesystem::file_time_type> times;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(g_shell.dataFolder)))
        times.push_back(entry.last_write_time());
    return times;
}

// A page typed on and drawn on, outside the clock, so the next change of day stores both:
// a stroke as the mouse draws it, in the window's own pixels.
void EditPage(int n) {
    std::wstring text = L"edited " + std::to_wstring(n) + L"\r\n日記";
    SetWindowTextW(Diary().view.textBox, text.c_str());
    const RECT from = Diary().view.Client({360 + n, 40, 361 + n, 41});
    const RECT to = Diary().view.Client({500 - n, 150, 501 - n, 151});
    SendMessageW(g_shell.mainWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.left, from.top));
    SendMessageW(g_shell.mainWindow, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.left, to.top));
    SendMessageW(g_shell.mainWindow, WM_LBUTTONUP, 0, MAKELPARAM(to.left, to.top));
}

// A page point as the mouse message's client position, at the view's zoom.
LPARAM MousePosition(int x, int y) {
    const RECT at = Diary().view.Client({x, y, x + 1, y + 1});
    return MAKELPARAM(at.left, at.top);
}

// A stroke round and round the picture in short segments, as a hand draws, each segment
// timed from its mouse message to the window painted. Its changes are not kept.
void TimeStroke(std::vector<double>& into, double ticksPerMs) {
    SendMessageW(g_shell.mainWindow, WM_LBUTTONDOWN, MK_LBUTTON, MousePosition(570, 100));
    for (int n = 1; n <= 120; ++n) {
        const LPARAM to = MousePosition(470 + static_cast<int>(100 * std::cos(n / 10.0)),
                                        100 + static_cast<int>(60 * std::sin(n / 10.0)));
        DrainMessages();
        into.push_back(TimeOne([to] { SendMessageW(g_shell.mainWindow, WM_MOUSEMOVE, MK_LBUTTON, to); }, ticksPerMs));
    }
    SendMessageW(g_shell.mainWindow, WM_LBUTTONUP, 0, 0);
    LoadDay(Diary().page, Diary().view);
}

// A window that looks back, from its command to its window painted; then it is closed.
double TimeLookBack(LookBackView which, double ticksPerMs) {
    LARGE_INTEGER start, shown{};
    DrainMessages();
    QueryPerformanceCounter(&start);
    LookBack(Diary().page, Diary().view, g_shell.mainWindow, which, [&shown](HWND window) {
        QueryPerformanceCounter(&shown);
        PostMessageW(window, WM_CLOSE, 0, 0);
    });
    return static_cast<double>(shown.QuadPart - start.QuadPart) / ticksPerMs;
}

// Each window five times, on a month six weeks back, which a diary of years has whole.
void TimeLookingBack(Times& times, double ticksPerMs) {
    const DayKey before = Diary().page.Day();
    GoToDay(Diary().page, Diary().view, DayAfter(GetToday(), -45));
    for (int n = 0; n < 5; ++n) {
        times.months.push_back(TimeLookBack(LookBackView::Month, ticksPerMs));
        times.years.push_back(TimeLookBack(LookBackView::Year, ticksPerMs));
        times.sameDays.push_back(TimeLookBack(LookBackView::SameDay, ticksPerMs));
    }
    // The print preview's page, drawn again and again once the window is up.
    PrintDays(Diary().page, Diary().view, g_shell.mainWindow, [&](HWND window) {
        for (int n = 0; n < 5; ++n) {
            times.previewPages.push_back(TimeOne(
                [window] {
                    InvalidateRect(window, nullptr, FALSE);
                    UpdateWindow(window);
                },
                ticksPerMs));
        }
        PostMessageW(window, WM_CLOSE, 0, 0);
    });
    GoToDay(Diary().page, Diary().view, before);
}

Times TimeDaySwitches() {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    const double ticksPerMs = static_cast<double>(frequency.QuadPart) / 1000.0;
    Times times;
    Page& page = Diary().page;
    PageView& view = Diary().view;
    const auto measure = [&](std::vector<double>& into, const std::function<void()>& action) {
        DrainMessages();
        into.push_back(TimeOne(action, ticksPerMs));
    };
    const auto previous = [&] { GoPreviousDay(page, view); };
    const auto next = [&] { GoNextDay(page, view); };
    const auto before = WriteTimesOfFolder();
    for (int round = 0; round < kRounds; ++round) {
        for (int n = 0; n < kPages; ++n) measure(times.steps, previous);
        for (int n = 0; n < kPages; ++n) measure(times.steps, next);
    }
    const auto after = WriteTimesOfFolder();
    for (std::size_t i = 0; i < std::min(before.size(), after.size()); ++i)
        times.filesWrittenByVisits += before[i] != after[i];
    times.filesWrittenByVisits += static_cast<int>(after.size()) - static_cast<int>(before.size());
    for (int n = 0; n < kPages; ++n) {
        EditPage(n);
        measure(times.editedSteps, previous);
    }
    for (int n = 0; n < kPages; ++n) next();
    previous();
    for (int n = 0; n < kPages; ++n) measure(times.saves, [&] { SaveDay(page, view); });
    for (int n = 0; n < kPages; ++n) measure(times.loads, [&] { LoadDay(page, view); });
    TimeStroke(times.strokes, ticksPerMs);
    TimeLookingBack(times, ticksPerMs);

    ChooseZoom(Diary(), 4);
    times.zoom = view.zoom;
    for (int n = 0; n < kPages; ++n) measure(times.zoomedSteps, previous);
    for (int n = 0; n < kPages; ++n) measure(times.zoomedSteps, next);
    TimeStroke(times.zoomedStrokes, ticksPerMs);
    DrainMessages();
    return times;
}

// "NAME_median_ms 1.234" and the like, one line each.
std::string Summary(const char* name, std::vector<double> times) {
    std::sort(times.begin(), times.end());
    const auto at = [&](double share) { return times[static_cast<size_t>(share * (times.size() - 1))]; };
    char text[200];
    std::snprintf(text, sizeof text, "%s_count %zu\n%s_median_ms %.3f\n%s_p95_ms %.3f\n%s_max_ms %.3f\n", name,
                  times.size(), name, at(0.5), name, at(0.95), name, times.back());
    return text;
}

bool WriteTimes(const std::u16string& folder, const Times& times) {
    const std::string text =
        Summary("step", times.steps) + Summary("save", times.saves) + Summary("load", times.loads) +
        Summary("edited_step", times.editedSteps) + Summary("stroke", times.strokes) +
        Summary("zoom4_step", times.zoomedSteps) + Summary("zoom4_stroke", times.zoomedStrokes) +
        Summary("look_month", times.months) + Summary("look_year", times.years) +
        Summary("look_same_day", times.sameDays) + Summary("preview_page", times.previewPages) + "visit_writes " +
        std::to_string(times.filesWrittenByVisits) + "\nzoom4_zoom " + std::to_string(times.zoom) + "\n";
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    return WriteFileSafely(std::filesystem::path(folder + u"\\day-switch-times.txt"), std::span(bytes, text.size())) ==
           WriteStatus::Ok;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previousInstance, PWSTR, int showCommand) {
    if (!StartProgram(instance, previousInstance, showCommand)) return 1;
    if (!MakePages(g_shell.dataFolder)) return 2;
    return WriteTimes(g_shell.dataFolder, TimeDaySwitches()) ? 0 : 3;
}
