// A day's drawing as the page shows it, read for the views that look back over many
// days: the top left 264 x 160 of the day's bitmap, white where a smaller one ends. The
// page's own pictures are one quick read; a picture from elsewhere (a photograph, another
// size or depth) is read through the encoder's bitmap reader, which reads only the rows it
// needs of a large one.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

enum class DrawingRead {
    Read,
    Missing,     // no file of that name
    Unreadable,  // a file is there, but no bitmap the reader takes (or it could not be read)
};

// Red, green and blue planes of kPictureWidth x kPictureHeight bytes, row 0 at the top.
struct DayDrawing {
    std::vector<std::uint8_t> red, green, blue;
};

DrawingRead ReadDayDrawing(const std::filesystem::path& path, DayDrawing& out);

// Whether the file is a drawing ReadDayDrawing would read, without extracting its pixels:
// the page's own layout is told from its header alone.
DrawingRead CheckDayDrawing(const std::filesystem::path& path);
