// The weather and mood icons on the page, drawn from their strips.
#pragma once

class PageView;

// Puts the icon on the canvas, enlarged by the zoom, and shows it at once; an index out
// of the strip shows the first icon.
void DrawWeatherIcon(const PageView& view, int weatherIndex);
void DrawMoodIcon(const PageView& view, int moodIndex);
