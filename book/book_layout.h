// The book's pages laid out from its days: one day a page or two, each day its date and
// weekday in words, its place, weather and mood with their icons and names, its drawing
// enlarged without smoothing and its text wrapped in the page's width; a day too long for
// its room goes on in the next, and every page has a footer with its number and the run
// of days. Only what is there takes room: a day without a drawing or a text leaves no gap.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "book/book_days.h"
#include "book/book_page.h"
#include "platform/program_language.h"

// How the drawer sets text, asked by the layout so that the lines it places are the lines
// the drawer draws. Sizes are in points, lengths in millimetres.
class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    // The distance from one line's top to the next.
    virtual double LineHeight(double fontSize, bool bold) = 0;
    virtual double Width(std::u16string_view text, double fontSize, bool bold) = 0;
    // Where a paragraph (no line breaks in it) breaks into lines no wider than `width`: the
    // offset of every line's start after the first.
    virtual std::vector<std::size_t> BreakLines(std::u16string_view paragraph, double fontSize, double width) = 0;
};

// Text sizes, in points.
inline constexpr double kTitleSize = 14;
inline constexpr double kDetailSize = 10;
inline constexpr double kTextSize = 11;
inline constexpr double kFooterSize = 8;

// "2026年12月7日(月)" / "Monday, 7 December 2026": a day as the book names it.
std::u16string BookDayTitle(const DayKey& day, ProgramLanguage language);

// Every word of the book (dates, names, footers) in `language`.
Book LayOutBook(const std::vector<BookDay>& days, const PaperSize& paper, bool twoPerPage, TextMeasure& measure,
                ProgramLanguage language);
