// The diary program timing the HTML output dialog's picture run: the 365 days before
// today, as OK starts it with JPEG conversion ticked, with its progress on the status
// strip, under a QueryPerformanceCounter clock. Twice: beside a document in the folder
// "web", and beside a document in the diary folder itself, among all the pages. The
// times go to "picture-run-times.txt" in the diary folder; then the program ends.
//
// Run it in a diary folder made by make-diary, with neither "web" nor the JPEGs of an
// earlier run in it: each run then writes every JPEG anew.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "app/win32/shell_state.h"
#include "app/win32/startup.h"
#include "diarycore/calendar.h"
#include "page/win32/today.h"
#include "htmlexport/win32/convert_day_pictures.h"
#include "platform/file_write.h"

namespace {

constexpr int kDays = 365;

// Milliseconds of one picture run beside the document at `document`.
double TimePictureRun(const DayKey& firstDay, const std::filesystem::path& document) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    ConvertDayPictures(g_shell.mainWindow, g_shell.statusStrip.get(), g_shell.dataFolder, firstDay, kDays,
                       document.u16string());
    QueryPerformanceCounter(&end);
    return static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

int CountFiles(const std::filesystem::path& folder) {
    std::error_code error;
    int count = 0;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error))
        ++count;
    return count;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previousInstance, PWSTR, int showCommand) {
    if (!StartProgram(instance, previousInstance, showCommand)) return 1;
    const std::filesystem::path folder(g_shell.dataFolder);
    DayKey yesterday = GetToday();
    PreviousDay(yesterday);
    std::filesystem::create_directories(folder / "web");

    const double intoNewFolder = TimePictureRun(yesterday, folder / "web" / "diary.html");
    const int pictures = CountFiles(folder / "web");
    const double intoDiaryFolder = TimePictureRun(yesterday, folder / "diary.html");

    char text[200];
    const int length =
        std::snprintf(text, sizeof text, "pictures %d\npicture_run_ms %.3f\npicture_run_in_diary_ms %.3f\n", pictures,
                      intoNewFolder, intoDiaryFolder);
    const auto* bytes = reinterpret_cast<const uint8_t*>(text);
    return WriteFileSafely(folder / "picture-run-times.txt", std::span(bytes, static_cast<size_t>(length))) ==
                   WriteStatus::Ok
               ? 0
               : 3;
}
