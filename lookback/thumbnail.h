// A day's drawing made small for the views that show many days: each small pixel the
// average of the drawing's pixels it covers, so thin strokes stay visible as lighter
// lines instead of vanishing as they do when every n-th pixel is kept.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "lookback/day_drawing.h"

// `width` x `height` pixels, 0x00RRGGBB, row 0 at the top: exactly that many for any size
// of at least 1 x 1 (less is taken as 1), since the caller's bitmap is made that size. A
// size larger than the drawing's (a cell at a high DPI) repeats its pixels.
std::vector<std::uint32_t> ShrinkDrawing(const DayDrawing& drawing, int width, int height);

// The page's own pixel bytes (4-bit, as its picture file stores them) as a drawing.
DayDrawing DrawingOfPictureBytes(std::span<const std::uint8_t> pixels);
