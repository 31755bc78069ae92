// What a tap on the page does: the regions of the page in the order they are tested.
#pragma once

enum class TapAction {
    None,
    WeatherMenu,     // weather icon: its menu at the tap point
    MoodMenu,        // mood icon
    DrawingMenu,     // top-right hot corner, 240-line layout only
    PreviousDay,     // left arrow
    NextDay,         // right arrow
    SystemMenu,      // top-left hot corner, 240-line layout only
    StartStroke,     // the drawing area
};

// x and y are client coordinates (the unsigned halves of the message); t is the
// command bar's height. Bounds are inclusive; the regions do not overlap.
TapAction FindTapAction(int x, int y, int t, bool tallScreen);
