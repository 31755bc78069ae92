#include "strokes.h"

// Strokes are drawn once the canvas and its pens exist (window construction).
void StartStroke(int, int) {}
void OnStylusMove(WPARAM, LPARAM) {}
void OnStylusUp() {}
