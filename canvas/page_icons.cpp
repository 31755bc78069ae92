#include "page_icons.h"

#include <windows.h>

#include "app/shell_state.h"

namespace {

constexpr int kIconSize = 16;
constexpr int kIconCount = 6;
constexpr int kWeatherIconX = 180;
constexpr int kMoodIconX = 200;
constexpr int kIconTop = 14;   // below t

// Puts cell `index` of a strip on the canvas and shows it at once.
void DrawStripIcon(HDC strip, int index, int x) {
    if (!strip || !g_shell.canvasDc) return;
    if (index < 0 || index >= kIconCount) index = 0;
    int y = g_shell.commandBarHeight + kIconTop;
    BitBlt(g_shell.canvasDc, x, y, kIconSize, kIconSize, strip, kIconSize * index, 0, SRCCOPY);
    if (g_shell.windowDc) BitBlt(g_shell.windowDc, x, y, kIconSize, kIconSize, g_shell.canvasDc, x, y, SRCCOPY);
}

}  // namespace

void DrawWeatherIcon(int weatherIndex) { DrawStripIcon(g_shell.weatherStripDc, weatherIndex, kWeatherIconX); }
void DrawMoodIcon(int moodIndex) { DrawStripIcon(g_shell.moodStripDc, moodIndex, kMoodIconX); }
