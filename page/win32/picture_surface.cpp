#include "picture_surface.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "diarycore/day_file_store.h"
#include "diarycore/picture_bytes.h"
#include "page/win32/page_view.h"
#include "platform/win32/dib_file.h"
#include "platform/win32/loaded_text.h"
#include "platform/wide_text.h"
#include "resources/resource.h"

namespace {

struct PaletteBitmapInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colours[16];
};

PaletteBitmapInfo PictureBitmapInfo() {
    PaletteBitmapInfo info{};
    info.header.biSize = sizeof(info.header);
    info.header.biWidth = kPictureWidth;
    info.header.biHeight = kPictureHeight;  // bottom row first, as the file stores it
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

// Copies the top left of a bitmap file's picture, at most the picture's size, onto the picture.
bool PutBitmapBytes(const PageView& view, std::span<const std::uint8_t> bytes) {
    const OwnedBitmap bitmap(DibSectionOfBmpBytes(bytes));
    if (!bitmap) return false;
    BITMAP size{};
    GetObjectW(bitmap.get(), sizeof(size), &size);
    const OwnedDc dc(CreateCompatibleDC(view.pictureDc.get()));
    const SelectedObject selected(dc.get(), bitmap.get());
    BitBlt(view.pictureDc.get(), 0, 0, std::min<LONG>(size.bmWidth, kPictureWidth),
           std::min<LONG>(std::abs(size.bmHeight), kPictureHeight), dc.get(), 0, 0, SRCCOPY);
    return true;
}

constexpr PageRect kWholePicture{0, 0, kPictureWidth, kPictureHeight};

}  // namespace

std::optional<std::vector<std::uint8_t>> CapturePictureBytes(const PageView& view) {
    if (!view.pictureDc) return std::nullopt;
    PaletteBitmapInfo info = PictureBitmapInfo();
    void* bits = nullptr;
    const OwnedBitmap bitmap(CreateDIBSection(view.pictureDc.get(), reinterpret_cast<BITMAPINFO*>(&info),
                                              DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap) return std::nullopt;
    std::optional<std::vector<std::uint8_t>> pixels;
    if (const OwnedDc dc{CreateCompatibleDC(view.pictureDc.get())}) {
        const SelectedObject selected(dc.get(), bitmap.get());
        // Each pixel becomes the index of its (nearest) palette colour. A copy that fails
        // leaves zeros, an all-black picture: that is no picture to store.
        if (BitBlt(dc.get(), 0, 0, kPictureWidth, kPictureHeight, view.pictureDc.get(), 0, 0, SRCCOPY)) {
            GdiFlush();
            const auto* bytes = static_cast<const std::uint8_t*>(bits);
            pixels.emplace(bytes, bytes + kPicturePixelBytes);
        }
    }
    return pixels;
}

bool PutPictureBytes(const PageView& view, const std::vector<std::uint8_t>& pixels) {
    if (!view.pictureDc || pixels.size() != kPicturePixelBytes) return false;
    PaletteBitmapInfo info = PictureBitmapInfo();
    int rows = SetDIBitsToDevice(view.pictureDc.get(), 0, 0, kPictureWidth, kPictureHeight, 0, 0, 0, kPictureHeight,
                                 pixels.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    PresentPicture(view, kWholePicture);
    return rows == kPictureHeight;
}

WriteFault StorePicturePixels(LPCWSTR path, const std::vector<std::uint8_t>& pixels, const WriteOptions& options) {
    WriteFault fault = WriteFault::None;
    if (IsBlankPicture(pixels)) {
        // An opened locked diary keeps the drawing under the picture's locked name.
        const std::filesystem::path stored = StoredDayFilePath(std::filesystem::path(path));
        if (stored != std::filesystem::path(path)) fault = DeleteIfPresent(stored.c_str());
        if (fault == WriteFault::None && !options.targetAbsent) fault = DeleteIfPresent(path);
    } else {
        WriteDayFile(std::filesystem::path(path), PictureFileBytes(pixels), options, &fault);
    }
    if (fault != WriteFault::None) MessageBeep(MB_ICONASTERISK);
    return fault;
}

void WhitenPicture(const PageView& view) {
    if (!view.pictureDc) return;
    RECT all{0, 0, kPictureWidth, kPictureHeight};
    FillRect(view.pictureDc.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ShowPictureInFrame(view);
}

void ShowPictureInFrame(const PageView& view) {
    if (!view.canvasDc) return;
    // The frame around it white: a mark drawn there for the day before goes.
    RECT frame = view.Client(kPage.frame);
    FillRect(view.canvasDc.get(), &frame, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    PresentPicture(view, kWholePicture);
    InvalidatePage(view, kPage.frame);
}

LoadedPicture PutPictureFile(const PageView& view, ReadStatus status, const std::vector<std::uint8_t>& bytes) {
    LoadedPicture loaded;
    if (status == ReadStatus::Ok) {
        // Saving over a picture in another layout would lose what the page cannot show of it.
        loaded.ownLayout =
            bytes.size() >= kPictureHeaderBytes && IsOwnPictureLayout(std::span(bytes).first(kPictureHeaderBytes));
        loaded.result = PutBitmapBytes(view, bytes) ? PictureLoad::Shown : PictureLoad::Unreadable;
        if (loaded.result == PictureLoad::Unreadable) loaded.reason = LoadText(view.instance, IDS_NOT_OUR_PICTURE);
    } else if (status != ReadStatus::Missing) {
        loaded.result = PictureLoad::Unreadable;
        loaded.reason = LoadText(view.instance, ReasonTextId(status));
    }
    PresentPicture(view, kWholePicture);
    return loaded;
}

LoadedPicture LoadPictureFile(const PageView& view, const std::filesystem::path& path) {
    std::vector<std::uint8_t> bytes;
    const ReadStatus status = ReadDayFile(path, bytes);
    return PutPictureFile(view, status, bytes);
}

void DrawPictureNotice(const PageView& view, const std::u16string& text) {
    if (!view.canvasDc) return;
    const HDC canvas = view.canvasDc.get();
    // On the canvas, over the picture shown: the picture itself stays white.
    RECT area = view.Client(kPage.picture);
    InflateRect(&area, -8 * view.zoom, 0);
    const SelectedObject font(canvas, view.textFont ? view.textFont.get() : GetStockObject(DEFAULT_GUI_FONT));
    COLORREF oldColour = SetTextColor(canvas, RGB(128, 128, 128));
    // Centred as a block: measured first, then moved down by half the room left.
    RECT measured = area;
    DrawTextW(canvas, WidePointer(text), static_cast<int>(text.size()), &measured,
              DT_CALCRECT | DT_WORDBREAK | DT_CENTER | DT_NOPREFIX);
    area.top += std::max<LONG>(0, ((area.bottom - area.top) - (measured.bottom - measured.top)) / 2);
    DrawTextW(canvas, WidePointer(text), static_cast<int>(text.size()), &area, DT_WORDBREAK | DT_CENTER | DT_NOPREFIX);
    SetTextColor(canvas, oldColour);
    InvalidatePage(view, kPage.picture);
}

void DrawPictureSavingMark(const PageView& view, bool savingOff) {
    if (!view.canvasDc) return;
    const HDC canvas = view.canvasDc.get();
    // The two outer rows and columns of the frame's 5-unit border: the picture is inside
    // it, so strokes never reach the mark.
    const RECT frame = view.Client(kPage.frame);
    const int z = view.zoom;
    {
        const OwnedPen pen(CreatePen(PS_SOLID, 2 * z, savingOff ? RGB(255, 0, 0) : RGB(255, 255, 255)));
        const SelectedObject selected(canvas, pen.get());
        const int dashLength = 8 * z;
        auto dash = [&](int x0, int y0, int x1, int y1) {
            POINT line[2] = {{x0, y0}, {x1, y1}};
            Polyline(canvas, line, 2);
        };
        const int top = frame.top + z, bottom = frame.bottom - z, left = frame.left + z, right = frame.right - z;
        for (int x = left; x < right; x += 2 * dashLength) {
            int end = std::min(x + dashLength, right);
            dash(x, top, end, top);
            dash(x, bottom, end, bottom);
        }
        for (int y = top; y < bottom; y += 2 * dashLength) {
            int end = std::min(y + dashLength, bottom);
            dash(left, y, left, end);
            dash(right, y, right, end);
        }
    }
    InvalidatePage(view, kPage.frame);
}
