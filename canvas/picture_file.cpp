#include "picture_file.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/shell_state.h"
#include "canvas/picture_bytes.h"
#include "canvas/stroke_geometry.h"
#include "platform/dib_file.h"
#include "platform/file_read.h"
#include "platform/file_write.h"
#include "platform/wide_text.h"

namespace {

struct PaletteBitmapInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colours[16];
};

PaletteBitmapInfo PictureBitmapInfo() {
    PaletteBitmapInfo info{};
    info.header.biSize = sizeof(info.header);
    info.header.biWidth = kPictureWidth;
    info.header.biHeight = kPictureHeight;   // bottom row first, as the file stores it
    info.header.biPlanes = 1;
    info.header.biBitCount = 4;
    info.header.biCompression = BI_RGB;
    info.header.biClrUsed = 16;
    for (std::size_t i = 0; i < kPalette.size(); ++i) {
        info.colours[i] = {kPalette[i].blue, kPalette[i].green, kPalette[i].red, 0};
    }
    return info;
}

WriteFault DeleteIfPresent(LPCWSTR path) {
    // Deletion happens when the last handle closes; a file system that refuses it then
    // (a read-only mount under Wine) may still have answered success. Only a file that
    // is really gone counts.
    if (!DeleteFileW(path)) {
        DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) return FaultOfWindowsError(error);
    }
    return GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES ? WriteFault::None : WriteFault::NotWritable;
}

void InvalidatePageRect(const PageRect& rect) {
    // During window construction the window handle is not yet known; its first paint
    // shows everything anyway.
    if (!g_shell.mainWindow) return;
    RECT area{rect.left, rect.top, rect.right, rect.bottom};
    InvalidateRect(g_shell.mainWindow, &area, TRUE);
}

// Copies the top left of a bitmap file, at most the picture's size, onto the picture.
bool PutBitmapFile(LPCWSTR path) {
    HBITMAP bitmap = SHLoadDIBitmap(path);
    if (!bitmap) return false;
    BITMAP size{};
    GetObjectW(bitmap, sizeof(size), &size);
    HDC dc = CreateCompatibleDC(g_shell.canvasDc);
    HGDIOBJ old = SelectObject(dc, bitmap);
    PageRect picture = PictureRect(g_shell.commandBarHeight);
    BitBlt(g_shell.canvasDc, picture.left, picture.top, std::min<LONG>(size.bmWidth, kPictureWidth),
           std::min<LONG>(std::abs(size.bmHeight), kPictureHeight), dc, 0, 0, SRCCOPY);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
    return true;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> CapturePictureBytes() {
    if (!g_shell.canvasDc) return std::nullopt;
    PaletteBitmapInfo info = PictureBitmapInfo();
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(g_shell.canvasDc, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits,
                                      nullptr, 0);
    if (!bitmap) return std::nullopt;
    std::optional<std::vector<std::uint8_t>> pixels;
    if (HDC dc = CreateCompatibleDC(g_shell.canvasDc)) {
        HGDIOBJ old = SelectObject(dc, bitmap);
        PageRect picture = PictureRect(g_shell.commandBarHeight);
        // Each canvas pixel becomes the index of its (nearest) palette colour. A copy that
        // fails leaves zeros, an all-black picture: that is no picture to store.
        if (BitBlt(dc, 0, 0, kPictureWidth, kPictureHeight, g_shell.canvasDc, picture.left, picture.top, SRCCOPY)) {
            GdiFlush();
            const auto* bytes = static_cast<const std::uint8_t*>(bits);
            pixels.emplace(bytes, bytes + kPicturePixelBytes);
        }
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    DeleteObject(bitmap);
    return pixels;
}

bool PutPictureBytes(const std::vector<std::uint8_t>& pixels) {
    if (!g_shell.canvasDc || pixels.size() != kPicturePixelBytes) return false;
    PaletteBitmapInfo info = PictureBitmapInfo();
    PageRect picture = PictureRect(g_shell.commandBarHeight);
    int rows = SetDIBitsToDevice(g_shell.canvasDc, picture.left, picture.top, kPictureWidth, kPictureHeight, 0, 0, 0,
                                 kPictureHeight, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    InvalidatePageRect(picture);
    return rows == kPictureHeight;
}

WriteFault StorePicturePixels(LPCWSTR path, const std::vector<std::uint8_t>& pixels) {
    WriteFault fault = WriteFault::None;
    if (IsBlankPicture(pixels)) {
        fault = DeleteIfPresent(path);
    } else {
        WriteFileSafely(std::filesystem::path(path), PictureFileBytes(pixels), Durability::Durable, &fault);
    }
    if (fault != WriteFault::None) MessageBeep(MB_ICONASTERISK);
    return fault;
}

LoadedPicture LoadCanvasImage(LPCWSTR path) {
    LoadedPicture loaded;
    // Opened first, for the reason it cannot be, and for its header: saving over a
    // picture in another layout would lose what the page cannot show of it.
    ReadableFile file;
    const ReadStatus status = file.Open(std::filesystem::path(path));
    if (status == ReadStatus::Ok) {
        std::uint8_t header[kPictureHeaderBytes] = {};
        loaded.ownLayout = file.Size() >= sizeof header && file.ReadAt(0, header) && IsOwnPictureLayout(header);
        file.Close();
        loaded.result = PutBitmapFile(path) ? PictureLoad::Shown : PictureLoad::Unreadable;
        if (loaded.result == PictureLoad::Unreadable) loaded.reason = u"it is no picture Doodlebinder can show";
    } else if (status != ReadStatus::Missing) {
        loaded.result = PictureLoad::Unreadable;
        loaded.reason = DescribeReadStatus(status);
    }
    InvalidatePageRect(PictureFrame(g_shell.commandBarHeight));
    return loaded;
}

void DrawPictureNotice(const std::u16string& text) {
    if (!g_shell.canvasDc) return;
    PageRect picture = PictureRect(g_shell.commandBarHeight);
    RECT area{picture.left + 8, picture.top, picture.right - 8, picture.bottom};
    HGDIOBJ oldFont = SelectObject(g_shell.canvasDc, g_shell.textFont ? g_shell.textFont : GetStockObject(DEFAULT_GUI_FONT));
    COLORREF oldColour = SetTextColor(g_shell.canvasDc, RGB(128, 128, 128));
    // Centred as a block: measured first, then moved down by half the room left.
    RECT measured = area;
    DrawTextW(g_shell.canvasDc, WidePointer(text), static_cast<int>(text.size()), &measured,
              DT_CALCRECT | DT_WORDBREAK | DT_CENTER | DT_NOPREFIX);
    area.top += std::max<LONG>(0, ((area.bottom - area.top) - (measured.bottom - measured.top)) / 2);
    DrawTextW(g_shell.canvasDc, WidePointer(text), static_cast<int>(text.size()), &area,
              DT_WORDBREAK | DT_CENTER | DT_NOPREFIX);
    SetTextColor(g_shell.canvasDc, oldColour);
    SelectObject(g_shell.canvasDc, oldFont);
    InvalidatePageRect(picture);
}

void DrawPictureSavingMark(bool savingOff) {
    if (!g_shell.canvasDc) return;
    // The two outer rows and columns of the frame's 5-pixel border: strokes end inside
    // the picture rectangle and one row below it, so they never reach the mark.
    PageRect frame = PictureFrame(g_shell.commandBarHeight);
    HPEN pen = savingOff ? CreatePen(PS_SOLID, 2, RGB(255, 0, 0)) : CreatePen(PS_SOLID, 2, RGB(255, 255, 255));
    HGDIOBJ oldPen = SelectObject(g_shell.canvasDc, pen);
    constexpr int kDash = 8;
    auto dash = [&](int x0, int y0, int x1, int y1) {
        POINT line[2] = {{x0, y0}, {x1, y1}};
        Polyline(g_shell.canvasDc, line, 2);
    };
    const int top = frame.top + 1, bottom = frame.bottom - 1, left = frame.left + 1, right = frame.right - 1;
    for (int x = left; x < right; x += 2 * kDash) {
        int end = std::min(x + kDash, right);
        dash(x, top, end, top);
        dash(x, bottom, end, bottom);
    }
    for (int y = top; y < bottom; y += 2 * kDash) {
        int end = std::min(y + kDash, bottom);
        dash(left, y, left, end);
        dash(right, y, right, end);
    }
    SelectObject(g_shell.canvasDc, oldPen);
    DeleteObject(pen);
    InvalidatePageRect(frame);
}
