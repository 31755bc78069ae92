// The page drawn at another zoom while it is on show.
#pragma once

class Page;
class PageView;

// Remakes the view at `zoom` screen pixels a page unit: the canvas, the controls' places
// and font, and everything the page shows on them. The text box keeps its text, caret and
// scrolling; the picture and everything of the page not yet saved stay as they were.
// The caller sizes the window to the new page.
void SetPageZoom(const Page& page, PageView& view, int zoom);
