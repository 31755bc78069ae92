// The page as the window shows it: the off-screen image of the page, the icon strips, the
// text box and the place box with their font, the pen, the ruling switch and the zoom.
// Made once with the main window (BuildPageView) and released once when it closes. The
// model of the page is page.h; everything here only shows it or takes the user's input.
#pragma once

#include <windows.h>

#include <string>

#include "page/win32/folder_watch.h"
#include "page/page_geometry.h"
#include "platform/win32/window_object.h"

inline constexpr int kPencil = 0;  // draws each segment once
inline constexpr int kPen = 1;     // draws the previous segment again with each new one

// Drawing settings: colour, width, pen type, and the one drawing pen alive.
struct DrawingSettings {
    COLORREF colour = RGB(0, 0, 0);
    int width = 3;
    int penType = kPencil;
    OwnedPen pen;  // selected into the picture
};

// Owns every object it holds: they go with it, or earlier, in the same order, when the
// window closes (ReleasePageView).
class PageView {
public:
    PageView() = default;
    PageView(const PageView&) = delete;
    PageView& operator=(const PageView&) = delete;

    HWND window = nullptr;  // the main window; the page is its client area below t
    HINSTANCE instance = nullptr;
    int t = 0;     // the command bar's height; 0 in the 240-line layout
    int zoom = 1;  // screen pixels per page unit

    // The objects that follow go in the reverse of the order they are declared in: each
    // device context before the bitmap selected into it, the pen after the picture's.
    OwnedWindowDc windowDc;  // the main window's own DC, kept until exit
    OwnedFont textFont;      // shared by the text box and the place box
    DrawingSettings drawing;
    OwnedBitmap background;  // the page's paper, arrows and frames at 1x (640 x 214)
    // Icon strips: six pictures side by side.
    OwnedBitmap moodStripBitmap;
    OwnedBitmap weatherStripBitmap;
    OwnedDc moodStripDc;
    OwnedDc weatherStripDc;
    // The picture alone, one pixel a picture pixel (264 x 160): strokes are drawn here and
    // the picture file is captured from here, whatever the zoom; the canvas shows it enlarged.
    OwnedBitmap pictureBitmap;
    OwnedDc pictureDc;
    // The whole page image, at the zoom: painting only copies its invalid part.
    OwnedBitmap canvasBitmap;
    OwnedDc canvasDc;

    HWND textBox = nullptr;  // EDIT, id 101
    WNDPROC textBoxPreviousProc = nullptr;
    HWND placeBox = nullptr;          // COMBOBOX, id 102
    bool ruledLinesOn = true;         // the ruling switch, on at start
    bool rulingTopRepainted = false;  // the top row was repainted to wipe a line a scrolled view left

    // The diary folder's changes, which keep the page's index of it true.
    FolderWatch folderWatch;
    // The date header's mark for a page without a recovery copy, and its tooltip.
    std::u16string missingCopyTip;  // empty: no mark
    HWND missingCopyTooltip = nullptr;
    std::u16string headerNotice;    // a few words above the date header; empty: none
    std::u16string copiesNotice;    // shown there while there is no headerNotice
    std::u16string presenceNotice;  // shown there while there is neither

    // A page rectangle or point in client pixels, and a client point in page units.
    RECT Client(const PageRect& rect) const {
        return {rect.left * zoom, t + rect.top * zoom, rect.right * zoom, t + rect.bottom * zoom};
    }
    PagePoint PageAt(int x, int y) const { return {Floor(x), Floor(y - t)}; }

private:
    int Floor(int value) const { return value >= 0 ? value / zoom : -((-value + zoom - 1) / zoom); }
};

// Asks for a repaint of a page rectangle; nothing before the window is known.
void InvalidatePage(const PageView& view, const PageRect& rect);
// Copies a page rectangle of the canvas to the screen at once.
void ShowPageNow(const PageView& view, const PageRect& rect);

// Shows a region of the picture (in picture pixels) on the canvas, enlarged by the zoom,
// and asks for its repaint.
void PresentPicture(const PageView& view, const PageRect& pictureRegion);
// The window's paint: copies the invalid part of the canvas.
void PaintPage(const PageView& view, HDC dc, const RECT& area);
