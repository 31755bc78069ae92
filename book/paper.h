// The papers a book is laid out on, all portrait, and the room a page leaves to what it
// shows.
#pragma once

#include <optional>
#include <string_view>

#include "book/book_page.h"

enum class Paper { A4, A5, Letter };

PaperSize SizeOfPaper(Paper paper);

// "a4", "a5" or "letter", as the console takes them; nothing for any other name.
std::optional<Paper> PaperNamed(std::string_view name);

// The margin on every side, in millimetres: a tenth of the width, so an A5 page keeps
// its room as an A4 one does.
double MarginOf(const PaperSize& paper);

// The size of a picture pixel on that paper: a whole number of quarter points, so that
// a device at a multiple of 288 dots an inch gives every pixel the same whole number of
// dots, and the drawing comes as close to half the paper's width as that allows.
double PictureBlockOf(const PaperSize& paper);
