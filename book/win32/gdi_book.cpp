#include "book/win32/gdi_book.h"

#include <algorithm>
#include <cmath>

#include "diarycore/picture_bytes.h"
#include "lookback/day_drawing.h"

namespace {

// Fonts are measured at this many units a point: 1,440 to the inch.
constexpr int kUnitsPerPoint = 20;
constexpr double kMmPerUnit = 25.4 / (72.0 * kUnitsPerPoint);

int Round(double value) { return static_cast<int>(std::lround(value)); }

}  // namespace

OwnedFont MakeBookFont(int height, bool bold) {
    // The face the program's own windows ask for, which has the Japanese characters.
    return OwnedFont(CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH,
                                 L"ＭＳ 12345"));
}

GdiTextMeasure::GdiTextMeasure() : dc_(CreateCompatibleDC(nullptr)) { SetMapMode(dc_.get(), MM_TEXT); }

void GdiTextMeasure::Select(double fontSize, bool bold) {
    const std::pair key{Round(fontSize * kUnitsPerPoint), bold};
    OwnedFont& font = fonts_[key];
    if (!font) font = MakeBookFont(-key.first, bold);
    SelectObject(dc_.get(), font.get());
}

double GdiTextMeasure::LineHeight(double fontSize, bool bold) {
    Select(fontSize, bold);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc_.get(), &metrics);
    return (metrics.tmHeight + metrics.tmExternalLeading) * kMmPerUnit;
}

double GdiTextMeasure::Width(std::u16string_view text, double fontSize, bool bold) {
    Select(fontSize, bold);
    SIZE size{};
    GetTextExtentPoint32W(dc_.get(), reinterpret_cast<const wchar_t*>(text.data()), static_cast<int>(text.size()),
                          &size);
    return size.cx * kMmPerUnit;
}

std::vector<std::size_t> GdiTextMeasure::BreakLines(std::u16string_view paragraph, double fontSize, double width) {
    Select(fontSize, false);
    const int room = std::max(1, static_cast<int>(width / kMmPerUnit));
    std::vector<std::size_t> starts;
    std::size_t start = 0;
    while (start < paragraph.size()) {
        const std::u16string_view rest = paragraph.substr(start);
        int fit = 0;
        SIZE size{};
        GetTextExtentExPointW(dc_.get(), reinterpret_cast<const wchar_t*>(rest.data()), static_cast<int>(rest.size()),
                              room, &fit, nullptr, &size);
        if (static_cast<std::size_t>(fit) >= rest.size()) break;
        // After the last blank that fits, where there is one; else where the room ends
        // (Japanese breaks between any two characters), never inside a surrogate pair.
        std::size_t end = static_cast<std::size_t>(std::max(fit, 1));
        const std::size_t blank = rest.substr(0, end + 1).find_last_of(u" \u3000");
        if (blank != std::u16string_view::npos && blank > 0) end = blank + 1;
        if (end < rest.size() && (rest[end] & 0xFC00) == 0xDC00) end = end > 1 ? end - 1 : end + 1;
        start += end;
        if (start < paragraph.size()) starts.push_back(start);
    }
    return starts;
}

void DrawBookPage(HDC dc, const BookPage& page, const std::vector<BookDay>& days, const BookIcons& icons,
                  const PageOnDevice& at) {
    const auto x = [&](double mm) { return at.left + Round(mm * at.dotsPerMmX); };
    const auto y = [&](double mm) { return at.top + Round(mm * at.dotsPerMmY); };

    {
        const OwnedPen rule(CreatePen(PS_SOLID, std::max(1, Round(0.2 * at.dotsPerMmX)), RGB(0xA0, 0xA0, 0xA0)));
        const SelectedObject selected(dc, rule.get());
        for (const PlacedLine& line : page.lines) {
            MoveToEx(dc, x(line.left), y(line.top), nullptr);
            LineTo(dc, x(line.right), y(line.bottom));
        }
    }

    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    for (const PlacedText& text : page.texts) {
        const OwnedFont font = MakeBookFont(-Round(text.fontSize * 25.4 / 72.0 * at.dotsPerMmY), text.bold);
        const SelectedObject selected(dc, font.get());
        TextOutW(dc, x(text.left), y(text.top), reinterpret_cast<const wchar_t*>(text.text.c_str()),
                 static_cast<int>(text.text.size()));
    }

    SetStretchBltMode(dc, COLORONCOLOR);  // each pixel a block, never smoothed
    for (const PlacedIcon& icon : page.icons) {
        HDC strip = icon.strip == IconStrip::Weather ? icons.weather : icons.mood;
        if (!strip) continue;
        StretchBlt(dc, x(icon.left), y(icon.top), Round(icon.size * at.dotsPerMmX), Round(icon.size * at.dotsPerMmY),
                   strip, static_cast<int>(icon.index) * icons.size, 0, icons.size, icons.size, SRCCOPY);
    }
    for (const PlacedPicture& picture : page.pictures) {
        DayDrawing drawing;
        if (picture.day >= days.size() || ReadDayDrawing(days[picture.day].picture, drawing) != DrawingRead::Read)
            continue;
        // Top-down rows of blue, green and red, each row a multiple of four bytes.
        constexpr int kRowBytes = (kPictureWidth * 3 + 3) / 4 * 4;
        std::vector<std::uint8_t> bits(static_cast<std::size_t>(kRowBytes) * kPictureHeight);
        for (int row = 0; row < kPictureHeight; ++row) {
            for (int column = 0; column < kPictureWidth; ++column) {
                const std::size_t from = static_cast<std::size_t>(row) * kPictureWidth + column;
                std::uint8_t* to = &bits[static_cast<std::size_t>(row) * kRowBytes + column * 3];
                to[0] = drawing.blue[from], to[1] = drawing.green[from], to[2] = drawing.red[from];
            }
        }
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), kPictureWidth, -kPictureHeight, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
        // A whole number of dots a pixel on this device, the nearest to the layout's block.
        const int blockX = std::max(1, Round(picture.block * at.dotsPerMmX));
        const int blockY = std::max(1, Round(picture.block * at.dotsPerMmY));
        StretchDIBits(dc, x(picture.left), y(picture.top), kPictureWidth * blockX, kPictureHeight * blockY, 0, 0,
                      kPictureWidth, kPictureHeight, bits.data(), &info, DIB_RGB_COLORS, SRCCOPY);
    }
}
