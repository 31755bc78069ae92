#include "book/pdf_book.h"

#include <cairo-pdf.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <array>
#include <string>

#include "diarycore/picture_bytes.h"
#include "jpeg/bmp_reader.h"
#include "lookback/day_drawing.h"
#include "platform/utf8.h"

namespace {

// The program's weather and mood strips (art/), built in: six 16 x 16 icons side by side.
constexpr std::uint8_t kWeatherStrip[] = {
#include "book_weather_strip.inc"
};
constexpr std::uint8_t kMoodStrip[] = {
#include "book_mood_strip.inc"
};
constexpr int kIconPixels = 16;
constexpr int kStripIcons = 6;

// IPA's proportional Gothic has Japanese and Latin both; pango takes any other character
// from a font fontconfig finds for it.
constexpr const char* kFontFamilies = "IPAPGothic,IPAGothic,sans-serif";

constexpr double kPointsPerMillimetre = 72 / 25.4;

class QuietHost : public jpeg::JpegHost {
public:
    void Report(jpeg::JpegMessage) override {}
};

cairo_status_t WriteToSink(void* closure, const unsigned char* data, unsigned int length) {
    const PdfSink& sink = *static_cast<const PdfSink*>(closure);
    return sink({data, length}) ? CAIRO_STATUS_SUCCESS : CAIRO_STATUS_WRITE_ERROR;
}

// Red, green and blue planes as a cairo image, one pixel a pixel.
cairo_surface_t* MakeImage(const std::uint8_t* red, const std::uint8_t* green, const std::uint8_t* blue, int width,
                           int height, int planeStride) {
    cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_surface_flush(image);
    unsigned char* rows = cairo_image_surface_get_data(image);
    const int stride = cairo_image_surface_get_stride(image);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(rows + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < width; ++x) {
            const std::size_t at = static_cast<std::size_t>(y) * planeStride + x;
            row[x] = std::uint32_t{red[at]} << 16 | std::uint32_t{green[at]} << 8 | blue[at];
        }
    }
    cairo_surface_mark_dirty(image);
    return image;
}

// The icons of one strip, each an image of its own, so that every use of an icon refers to
// the one copy in the document. None when the built-in strip does not read.
std::array<cairo_surface_t*, kStripIcons> CutStrip(std::span<const std::uint8_t> bmp) {
    std::array<cairo_surface_t*, kStripIcons> icons{};
    QuietHost host;
    jpeg::BmpImage image;
    if (!jpeg::LoadBmp(image, bmp, host) || image.width != kIconPixels * kStripIcons || image.height != kIconPixels)
        return icons;
    const std::size_t size = static_cast<std::size_t>(image.width) * image.height;
    std::vector<std::uint8_t> planes(3 * size);
    const std::span<std::uint8_t> all(planes);
    if (!jpeg::ExtractPlanes(image, all.first(size), all.subspan(size, size), all.subspan(2 * size), host))
        return icons;
    for (int n = 0; n < kStripIcons; ++n) {
        const std::size_t left = static_cast<std::size_t>(n) * kIconPixels;
        icons[n] = MakeImage(planes.data() + left, planes.data() + size + left, planes.data() + 2 * size + left,
                             kIconPixels, kIconPixels, image.width);
    }
    return icons;
}

// Paints an image with its pixels as squares of `block` millimetres.
void PaintBlocks(cairo_t* cr, cairo_surface_t* image, double left, double top, double block) {
    cairo_save(cr);
    cairo_translate(cr, left, top);
    cairo_scale(cr, block, block);
    cairo_set_source_surface(cr, image, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    cairo_restore(cr);
}

// The UTF-8 byte offset of every UTF-16 unit's start, and of the end: as EncodeUtf8
// writes it, a pair is four bytes, a lone surrogate the three of U+FFFD.
std::vector<std::size_t> Utf8Offsets(std::u16string_view text) {
    std::vector<std::size_t> offsets(text.size() + 1);
    std::size_t bytes = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        offsets[i] = bytes;
        const char16_t unit = text[i];
        const bool pair =
            unit >= 0xD800 && unit < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000;
        if (pair) {
            offsets[++i] = bytes;
            bytes += 4;
        } else {
            bytes += unit < 0x80 ? 1 : unit < 0x800 ? 2 : 3;
        }
    }
    offsets[text.size()] = bytes;
    return offsets;
}

}  // namespace

// The context is drawn in millimetres; pango's sizes are then millimetres too.
class PangoMeasure : public TextMeasure {
public:
    explicit PangoMeasure(cairo_t* cr) : layout_(pango_cairo_create_layout(cr)) {
        // One unit is a millimetre: glyphs placed on whole units, or hinted to them, would
        // stand a millimetre apart. The text is set as it would be at any size.
        PangoContext* context = pango_layout_get_context(layout_);
        pango_context_set_round_glyph_positions(context, FALSE);
        cairo_font_options_t* options = cairo_font_options_create();
        cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
        cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
        pango_cairo_context_set_font_options(context, options);
        cairo_font_options_destroy(options);
        pango_layout_context_changed(layout_);
        font_ = pango_font_description_from_string(kFontFamilies);
        pango_layout_set_wrap(layout_, PANGO_WRAP_WORD_CHAR);
    }
    ~PangoMeasure() override {
        pango_font_description_free(font_);
        g_object_unref(layout_);
    }
    PangoMeasure(const PangoMeasure&) = delete;
    PangoMeasure& operator=(const PangoMeasure&) = delete;

    // The layout holding `text` in that size, unwrapped unless a width is given.
    PangoLayout* Set(std::string_view text, double fontSize, bool bold, double width = -1) {
        pango_font_description_set_absolute_size(font_, fontSize / kPointsPerMillimetre * PANGO_SCALE);
        pango_font_description_set_weight(font_, bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
        pango_layout_set_font_description(layout_, font_);
        pango_layout_set_width(layout_, width < 0 ? -1 : static_cast<int>(width * PANGO_SCALE));
        pango_layout_set_text(layout_, text.data(), static_cast<int>(text.size()));
        return layout_;
    }

    double LineHeight(double fontSize, bool bold) override {
        PangoRectangle logical;
        pango_layout_get_extents(Set("Ag", fontSize, bold), nullptr, &logical);
        return static_cast<double>(logical.height) / PANGO_SCALE;
    }

    double Width(std::u16string_view text, double fontSize, bool bold) override {
        PangoRectangle logical;
        pango_layout_get_extents(Set(EncodeUtf8(text), fontSize, bold), nullptr, &logical);
        return static_cast<double>(logical.width) / PANGO_SCALE;
    }

    std::vector<std::size_t> BreakLines(std::u16string_view paragraph, double fontSize, double width) override {
        const std::string text = EncodeUtf8(paragraph);
        const std::vector<std::size_t> offsets = Utf8Offsets(paragraph);
        std::vector<std::size_t> starts;
        GSList* line = pango_layout_get_lines_readonly(Set(text, fontSize, false, width));
        for (line = line ? line->next : nullptr; line; line = line->next) {
            const auto byte = static_cast<std::size_t>(static_cast<PangoLayoutLine*>(line->data)->start_index);
            starts.push_back(
                static_cast<std::size_t>(std::lower_bound(offsets.begin(), offsets.end(), byte) - offsets.begin()));
        }
        return starts;
    }

private:
    PangoLayout* layout_;
    PangoFontDescription* font_;
};

struct PdfBook::Parts {
    PdfSink sink;
    cairo_surface_t* surface = nullptr;
    cairo_t* cr = nullptr;
    std::unique_ptr<PangoMeasure> measure;
};

PdfBook::PdfBook(const PaperSize& paper, PdfSink sink) : parts_(std::make_unique<Parts>()) {
    parts_->sink = std::move(sink);
    parts_->surface = cairo_pdf_surface_create_for_stream(
        WriteToSink, &parts_->sink, paper.width * kPointsPerMillimetre, paper.height * kPointsPerMillimetre);
    parts_->cr = cairo_create(parts_->surface);
    cairo_scale(parts_->cr, kPointsPerMillimetre, kPointsPerMillimetre);
    parts_->measure = std::make_unique<PangoMeasure>(parts_->cr);
}

PdfBook::~PdfBook() {
    parts_->measure.reset();
    cairo_destroy(parts_->cr);
    cairo_surface_destroy(parts_->surface);
    // The fonts found stay cached for the process otherwise; a book is made once a run.
    pango_cairo_font_map_set_default(nullptr);
    cairo_debug_reset_static_data();
    FcFini();
}

TextMeasure& PdfBook::Measure() { return *parts_->measure; }

bool PdfBook::Draw(const Book& book, const std::vector<BookDay>& days) {
    cairo_t* cr = parts_->cr;
    const std::array<std::array<cairo_surface_t*, kStripIcons>, 2> strips = {CutStrip(kWeatherStrip),
                                                                             CutStrip(kMoodStrip)};
    for (const BookPage& page : book.pages) {
        cairo_set_source_rgb(cr, 0.6, 0.6, 0.6);
        cairo_set_line_width(cr, 0.2);
        for (const PlacedLine& line : page.lines) {
            cairo_move_to(cr, line.left, line.top);
            cairo_line_to(cr, line.right, line.bottom);
            cairo_stroke(cr);
        }
        for (const PlacedPicture& picture : page.pictures) {
            DayDrawing drawing;
            if (ReadDayDrawing(days.at(picture.day).picture, drawing) != DrawingRead::Read) {
                const std::size_t size = static_cast<std::size_t>(kPictureWidth) * kPictureHeight;
                drawing.red.assign(size, 255);
                drawing.green = drawing.blue = drawing.red;
            }
            cairo_surface_t* image = MakeImage(drawing.red.data(), drawing.green.data(), drawing.blue.data(),
                                               kPictureWidth, kPictureHeight, kPictureWidth);
            PaintBlocks(cr, image, picture.left, picture.top, picture.block);
            cairo_surface_destroy(image);
        }
        for (const PlacedIcon& icon : page.icons) {
            cairo_surface_t* image = strips[icon.strip == IconStrip::Mood][icon.index % kStripIcons];
            if (image) PaintBlocks(cr, image, icon.left, icon.top, icon.size / kIconPixels);
        }
        cairo_set_source_rgb(cr, 0, 0, 0);
        for (const PlacedText& text : page.texts) {
            PangoLayout* layout = parts_->measure->Set(EncodeUtf8(text.text), text.fontSize, text.bold);
            cairo_move_to(cr, text.left, text.top);
            pango_cairo_show_layout(cr, layout);
        }
        cairo_show_page(cr);
    }
    for (const auto& strip : strips)
        for (cairo_surface_t* icon : strip)
            if (icon) cairo_surface_destroy(icon);
    cairo_surface_finish(parts_->surface);
    return cairo_surface_status(parts_->surface) == CAIRO_STATUS_SUCCESS && cairo_status(cr) == CAIRO_STATUS_SUCCESS;
}
