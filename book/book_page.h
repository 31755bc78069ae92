// A page of the book as data: what goes where, in millimetres from the paper's top left
// corner. The console draws it with cairo and pango, the program with GDI on a printer's
// page; neither decides anything about where a thing goes, and the layout draws nothing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A line of text, never wrapped again by the drawer: the layout has broken the text
// into lines with the drawer's own measure. `top` is the top of the line's box.
struct PlacedText {
    double left = 0, top = 0;
    double width = 0;     // the room it was measured into
    double fontSize = 0;  // points
    bool bold = false;
    std::u16string text;
};

// A day's drawing: kPictureWidth x kPictureHeight pixels, each a square of `block`
// millimetres, drawn without smoothing. `day` is the book's day it belongs to.
struct PlacedPicture {
    double left = 0, top = 0;
    double block = 0;
    std::size_t day = 0;
};

// An icon of the program's strips, `size` millimetres square.
enum class IconStrip { Weather, Mood };
struct PlacedIcon {
    double left = 0, top = 0;
    double size = 0;
    IconStrip strip = IconStrip::Weather;
    std::uint32_t index = 0;
};

// A thin grey rule.
struct PlacedLine {
    double left = 0, top = 0, right = 0, bottom = 0;
};

struct BookPage {
    std::vector<PlacedText> texts;
    std::vector<PlacedPicture> pictures;
    std::vector<PlacedIcon> icons;
    std::vector<PlacedLine> lines;
};

// The size of the paper the pages were laid out on, in millimetres, portrait.
struct PaperSize {
    double width = 0, height = 0;
};

struct Book {
    PaperSize paper;
    std::vector<BookPage> pages;
};
