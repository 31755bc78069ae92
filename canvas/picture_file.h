// The day's picture: the picture rectangle of the canvas captured as a 4-bit bitmap,
// the blank test, and saving to and loading from the day's BMP.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

// The picture rectangle's pixel bytes as the file stores them, or nothing when the
// capture cannot be made.
std::optional<std::vector<std::uint8_t>> CapturePictureBytes();
// Puts pixel bytes of that layout back into the picture rectangle and repaints it alone.
// False when the bytes are not one picture's worth or could not be drawn.
bool PutPictureBytes(const std::vector<std::uint8_t>& pixels);

// With no path: 1 when the picture is blank, 0 when it is not or cannot be captured.
// With a path: 1 when the file was written, or for a blank picture deleted; 0 when the
// capture or the file failed, after a beep. No message.
int CapturePicture(LPCWSTR path);

// True when every pixel of the picture rectangle is white. A test that cannot be made
// counts as not blank, so the user is asked rather than losing a drawing.
bool IsPictureBlank();

// Saves the picture to the day's BMP; false after showing the user that it failed.
bool SaveCanvasImage(LPCWSTR path);

enum class PictureLoad {
    Shown,
    Missing,      // the day has no picture
    Unreadable,   // a file is there but is no picture the program can show
};

// Puts a stored picture on the canvas (its top left part, at most the picture's size)
// and repaints the frame. A missing or unreadable file leaves the picture white.
PictureLoad LoadCanvasImage(LPCWSTR path);

// While picture saving is off, the picture frame carries a red dashed edge, so a page
// whose drawing will not be kept says so.
void DrawPictureSavingMark(bool savingOff);
