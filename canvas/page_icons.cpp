#include "page_icons.h"

// The icon strips are loaded with the window's pictures.
void DrawWeatherIcon(int) {}
void DrawMoodIcon(int) {}
