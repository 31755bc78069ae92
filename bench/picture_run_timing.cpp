// The diary program timing the HTML output dialog's picture run: the 365 days before
// today get a drawing where the data folder has none, then the run that OK starts with
// JPEG conversion ticked converts them beside a document in the folder "web", with its
// progress on the status strip, under a QueryPerformanceCounter clock. The time goes to
// "picture-run-times.txt" in the data folder; then the program ends. Run it from a
// folder of its own: the drawings it makes are real day files.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/shell_state.h"
#include "app/startup.h"
#include "bench/sample_drawing.h"
#include "diarycore/picture_bytes.h"
#include "diarycore/calendar.h"
#include "page/today.h"
#include "htmlexport/convert_day_pictures.h"
#include "platform/file_write.h"

namespace {

constexpr int kDays = 365;

bool MakePictures(const std::filesystem::path& folder, DayKey day) {
    for (int n = 0; n < kDays; ++n, PreviousDay(day)) {
        const std::filesystem::path path = folder / DayFileName(day, u"bmp");
        if (std::filesystem::exists(path)) continue;
        if (WriteFileSafely(path, PictureFileBytes(SampleDrawingPixels(n))) != WriteStatus::Ok) return false;
    }
    return true;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previousInstance, PWSTR, int showCommand) {
    if (!StartProgram(instance, previousInstance, showCommand)) return 1;
    const std::filesystem::path folder(g_shell.dataFolder);
    DayKey yesterday = GetToday();
    PreviousDay(yesterday);
    if (!MakePictures(folder, yesterday)) return 2;
    std::filesystem::create_directories(folder / "web");

    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    ConvertDayPictures(g_shell.mainWindow, g_shell.statusStrip, g_shell.dataFolder, yesterday, kDays,
                       (folder / "web" / "diary.html").u16string());
    QueryPerformanceCounter(&end);

    const double ms = static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
    char text[100];
    const int length = std::snprintf(text, sizeof text, "pictures %d\npicture_run_ms %.3f\n", kDays, ms);
    const auto* bytes = reinterpret_cast<const uint8_t*>(text);
    return WriteFileSafely(folder / "picture-run-times.txt", std::span(bytes, static_cast<size_t>(length))) ==
                   WriteStatus::Ok
               ? 0
               : 3;
}
