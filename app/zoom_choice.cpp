#include "zoom_choice.h"

#include <algorithm>
#include <cstdint>

#include "window_layout.h"

int LargestZoomThatFits(int roomWidth, int roomHeight, const CommandBarSize& commandBar) {
    int zoom = kMaxZoom;
    while (zoom > 1 && (kPageWidth * zoom > roomWidth || commandBar.HeightAt(zoom) + kPageHeight * zoom > roomHeight))
        --zoom;
    return zoom;
}

int ZoomForMonitor(const std::optional<ZoomChoice>& choice, int dpi, int largestThatFits) {
    int zoom = 0;
    if (!choice) {
        zoom = (dpi + kStandardDpi - 1) / kStandardDpi;
    } else {
        // The chosen size in this monitor's steps is zoom * dpi / choice->dpi; of the two
        // whole steps around it, the one nearer by ratio (a tie goes to the smaller).
        const std::int64_t size = std::int64_t{choice->zoom} * dpi, unit = choice->dpi;
        const std::int64_t below = size / unit;
        const bool whole = below * unit == size;
        zoom = static_cast<int>(!whole && size * size > below * (below + 1) * unit * unit ? below + 1 : below);
    }
    return std::clamp(zoom, 1, std::clamp(largestThatFits, 1, kMaxZoom));
}

std::optional<ZoomChoice> ReadZoomChoice(const Settings& settings) {
    const std::optional<int> zoom = settings.Number("zoom"), dpi = settings.Number("zoom_dpi");
    // Scales beyond these are no monitor's: a damaged line.
    if (!zoom || !dpi || *zoom < 1 || *zoom > kMaxZoom || *dpi < 24 || *dpi > 2400) return std::nullopt;
    return ZoomChoice{*zoom, *dpi};
}

void KeepZoomChoice(Settings& settings, const ZoomChoice& choice) {
    settings.SetNumber("zoom", choice.zoom);
    settings.SetNumber("zoom_dpi", choice.dpi);
}
