// Making and releasing the page's view with the main window.
#pragma once

#include <windows.h>

class PageView;

// Makes the surfaces, the strips, the text box and the place box of the page in the main
// window, below t, at the view's zoom. The controls get the ids 101 and 102.
void BuildPageView(PageView& view, HWND window, HINSTANCE instance, int t);
// A new canvas at the view's zoom with the page's paper on it, in place of the old one;
// what the page shows is drawn on it afterwards.
void MakeCanvas(PageView& view);
// Fills the place box with the places' names in the shown language, the choice kept.
void NamePlaces(PageView& view);
// The text box and the place box moved and sized to the view's zoom, with a font of its size.
void FitControlsToZoom(PageView& view);
// Releases every object BuildPageView made, at the close, each device context before the
// bitmap in it: nothing is left for the view to release when it goes.
void ReleasePageView(PageView& view);
