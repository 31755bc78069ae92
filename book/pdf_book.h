// The book drawn as a PDF with cairo and pango: real text in embedded, subset fonts (a
// Japanese face first, and another font for any character it lacks), each drawing an
// image of its own pixels scaled without smoothing, the icons from the program's strips.
// The PDF's bytes go to a sink as cairo makes them, so the caller decides where they land.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "book/book_days.h"
#include "book/book_layout.h"

// Takes the next bytes of the PDF; false stops the drawing.
using PdfSink = std::function<bool(std::span<const std::uint8_t>)>;

class PdfBook {
public:
    PdfBook(const PaperSize& paper, PdfSink sink);
    ~PdfBook();
    PdfBook(const PdfBook&) = delete;
    PdfBook& operator=(const PdfBook&) = delete;

    // Pango's measure of the text as this document sets it, for LayOutBook.
    TextMeasure& Measure();

    // Draws every page and finishes the document. A drawing that cannot be read any
    // more is left white, its day kept. False when cairo failed or the sink refused.
    bool Draw(const Book& book, const std::vector<BookDay>& days);

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};
