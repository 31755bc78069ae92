// The book's pages drawn with GDI: on a printer's page, in the print preview, into a
// bitmap. The layout is the one the console's PDF has; only the drawing differs.
#pragma once

#include <windows.h>

#include <map>
#include <utility>
#include <vector>

#include "book/book_days.h"
#include "book/book_layout.h"
#include "platform/win32/window_object.h"

// The layout's measure of text, taken with GDI fonts at a fine scale on a memory device
// context, so that the preview and every printer break the lines alike.
class GdiTextMeasure : public TextMeasure {
public:
    GdiTextMeasure();
    GdiTextMeasure(const GdiTextMeasure&) = delete;
    GdiTextMeasure& operator=(const GdiTextMeasure&) = delete;

    double LineHeight(double fontSize, bool bold) override;
    double Width(std::u16string_view text, double fontSize, bool bold) override;
    std::vector<std::size_t> BreakLines(std::u16string_view paragraph, double fontSize, double width) override;

private:
    void Select(double fontSize, bool bold);
    // The fonts outlive the device context they are selected into.
    std::map<std::pair<int, bool>, OwnedFont> fonts_;
    OwnedDc dc_;
};

// The font the book's text is set in, `height` device units tall (negative: the
// character height, as CreateFont takes it).
OwnedFont MakeBookFont(int height, bool bold);

// Where a page goes on a device: its dots per millimetre, and the device point of the
// paper's top left corner.
struct PageOnDevice {
    double dotsPerMmX = 0, dotsPerMmY = 0;
    int left = 0, top = 0;
};

// The program's icon strips: icon i at x = i * size.
struct BookIcons {
    HDC weather = nullptr, mood = nullptr;
    int size = 16;
};

// Draws one page, white paper first. The drawings are read from the days' files as they
// are drawn, each picture pixel a whole block of the device's dots.
void DrawBookPage(HDC dc, const BookPage& page, const std::vector<BookDay>& days, const BookIcons& icons,
                  const PageOnDevice& at);
