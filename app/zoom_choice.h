// How large the page is drawn: in whole steps, so that each picture pixel is an exact
// square of screen pixels. Without a choice of the user's the zoom follows the monitor's
// scale (96 dots per inch: 1x, 192: 2x). A choice is kept with the scale it was made at:
// together they are the page's size on the desk, so on a monitor of another scale the
// page is drawn at the zoom nearest to that size. Never larger than the screen holds.
#pragma once

#include <optional>

#include "diarycore/settings.h"

inline constexpr int kMaxZoom = 4;
inline constexpr int kStandardDpi = 96;  // the scale at which 1x is one page unit a screen pixel

struct ZoomChoice {
    int zoom = 1;
    int dpi = kStandardDpi;  // the monitor's scale when the zoom was chosen
    bool operator==(const ZoomChoice&) const = default;
};

// The command bar above the page: its buttons grow with the page's zoom, the room around
// them does not. Its height at 1x, 0 where there is no bar (the 240-line layout).
struct CommandBarSize {
    int height = 0;
    int buttonHeight = 0;  // at 1x
    int HeightAt(int zoom) const { return height + buttonHeight * (zoom - 1); }
};

// The largest zoom whose page (640z x (t + 214z), t the bar's height at z) fits the room
// the window's frame leaves in the work area; 1 when not even that fits.
int LargestZoomThatFits(int roomWidth, int roomHeight, const CommandBarSize& commandBar);
// The zoom for a monitor of the scale `dpi`: with no choice, the largest step not above
// the monitor's scale; with one, the step nearest to the chosen size (by ratio, so 1.5
// goes to 2). Within 1 and `largestThatFits`.
int ZoomForMonitor(const std::optional<ZoomChoice>& choice, int dpi, int largestThatFits);

// The choice as the settings file keeps it ("zoom" and "zoom_dpi"); none where either is
// missing or out of range.
std::optional<ZoomChoice> ReadZoomChoice(const Settings& settings);
void KeepZoomChoice(Settings& settings, const ZoomChoice& choice);
