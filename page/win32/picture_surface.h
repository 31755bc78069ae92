// The day's picture on the page: the picture surface captured as the file's 4-bit pixels
// and put back from them, the day's BMP loaded onto it and stored from them, and the
// marks drawn around and over it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_read.h"
#include "platform/file_write.h"

class PageView;

// The picture's pixel bytes as the file stores them, or nothing when the capture cannot
// be made.
std::optional<std::vector<std::uint8_t>> CapturePictureBytes(const PageView& view);
// Puts pixel bytes of that layout back into the picture and shows it. False when the bytes
// are not one picture's worth or could not be drawn.
bool PutPictureBytes(const PageView& view, const std::vector<std::uint8_t>& pixels);

// Writes pixel bytes as the day's BMP, or deletes it when they are blank (nothing to do
// for a file the options say is not there). Why the file failed, after a beep, or None.
// No message.
WriteFault StorePicturePixels(LPCWSTR path, const std::vector<std::uint8_t>& pixels, const WriteOptions& options);

enum class PictureLoad {
    Shown,
    Missing,     // the day has no picture
    Unreadable,  // a file is there but is no picture the program can show
};

struct LoadedPicture {
    PictureLoad result = PictureLoad::Missing;
    std::u16string reason;   // why it could not be shown, in a few words; empty unless Unreadable
    bool ownLayout = false;  // a file in the page's own layout (4-bit 264 x 160, the page's colours)
    bool operator==(PictureLoad other) const { return result == other; }
};

// A white picture in a white frame, as a day without a picture shows it.
void WhitenPicture(const PageView& view);
// The picture as it is, in a white frame: the marks over and around it are drawn afresh.
void ShowPictureInFrame(const PageView& view);
// Puts a stored picture on the picture (its top left part, at most the picture's size)
// and shows it, from the file's bytes and how their read went. A missing or unreadable
// file leaves the picture as it was.
LoadedPicture PutPictureFile(const PageView& view, ReadStatus status, const std::vector<std::uint8_t>& bytes);
// The same, reading the file first.
LoadedPicture LoadPictureFile(const PageView& view, const std::filesystem::path& path);

// Writes a few grey words in the middle of the white picture, where a picture that could
// not be shown would be, so the empty frame is not taken for an empty page. They are
// drawn over the picture, not into it.
void DrawPictureNotice(const PageView& view, const std::u16string& text);

// While picture saving is off, the picture frame carries a red dashed edge, so a page
// whose drawing will not be kept says so.
void DrawPictureSavingMark(const PageView& view, bool savingOff);
