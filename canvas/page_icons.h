// The weather and mood icons on the page, drawn from their strips.
#pragma once

void DrawWeatherIcon(int weatherIndex);
void DrawMoodIcon(int moodIndex);
