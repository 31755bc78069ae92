#include "book/book_layout.h"

#include <algorithm>
#include <cmath>

#include "book/paper.h"
#include "diarycore/date_words.h"
#include "diarycore/picture_bytes.h"
#include "diarycore/place_codes.h"
#include "lookback/look_colours.h"
#include "platform/program_texts.h"

namespace {

constexpr double kIconSize = 5;    // millimetres: a 16 x 16 icon
constexpr double kGap = 3;         // between the parts of a day
constexpr double kFooterRoom = 8;  // above the bottom margin: the rule and the footer
constexpr double kSlotGap = 8;     // between the two days of a page

std::u16string Decimal(std::size_t value) {
    const std::string digits = std::to_string(value);
    return {digits.begin(), digits.end()};
}

// A day's text as paragraphs: the page stores CR LF, and a text from elsewhere may hold
// bare LF or CR. Blank lines at the end take no room.
std::vector<std::u16string_view> ParagraphsOf(std::u16string_view text) {
    std::vector<std::u16string_view> paragraphs;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find_first_of(u"\r\n", start), text.size());
        paragraphs.push_back(text.substr(start, end - start));
        if (end == text.size()) break;
        start = end + (text.compare(end, 2, u"\r\n") == 0 ? 2 : 1);
    }
    while (!paragraphs.empty() && paragraphs.back().find_first_not_of(u" \t\u3000") == std::u16string_view::npos)
        paragraphs.pop_back();
    return paragraphs;
}

// Places the book's items one below the other, in the page's slots (one or two a page),
// starting a new slot, and a new page after the last slot, when the next item does not fit.
class Flow {
public:
    Flow(Book& book, bool twoPerPage) : book_(book), slots_(twoPerPage ? 2 : 1) {
        const double margin = MarginOf(book.paper);
        left_ = margin;
        width_ = book.paper.width - 2 * margin;
        top_ = margin;
        const double bottom = book.paper.height - margin - kFooterRoom;
        slotHeight_ = (bottom - top_ - (slots_ - 1) * kSlotGap) / slots_;
    }

    double Left() const { return left_; }
    double Width() const { return width_; }
    double Y() const { return y_; }
    BookPage& Page() { return book_.pages.back(); }
    bool Fits(double height) const { return y_ + height <= SlotBottom() + 1e-9; }
    void Advance(double height) { y_ += height; }

    // The next slot; the first call opens the first page.
    void NextSlot() {
        if (book_.pages.empty() || ++slot_ == slots_) {
            book_.pages.emplace_back();
            slot_ = 0;
        } else {
            const double between = SlotBottom() - slotHeight_ - kSlotGap / 2;
            Page().lines.push_back({left_, between, left_ + width_, between});
        }
        y_ = top_ + slot_ * (slotHeight_ + kSlotGap);
    }

private:
    double SlotBottom() const { return top_ + slot_ * (slotHeight_ + kSlotGap) + slotHeight_; }

    Book& book_;
    int slots_;
    int slot_ = 0;
    double left_ = 0, width_ = 0, top_ = 0, slotHeight_ = 0;
    double y_ = 0;
};

void PlaceTitle(Flow& flow, std::u16string title, double size, TextMeasure& measure) {
    flow.Page().texts.push_back({flow.Left(), flow.Y(), flow.Width(), size, true, std::move(title)});
    flow.Advance(measure.LineHeight(size, true));
}

// Place, weather and mood in one row, each icon before its name; nothing for a day
// without a record.
void PlaceDetails(Flow& flow, const DayRecord& record, TextMeasure& measure, ProgramLanguage language) {
    const double lineHeight = measure.LineHeight(kDetailSize, false);
    const double rowHeight = std::max(kIconSize, lineHeight);
    const double textTop = flow.Y() + (rowHeight - lineHeight) / 2;
    double x = flow.Left();
    const auto placeName = [&](std::u16string_view name) {
        const double width = measure.Width(name, kDetailSize, false);
        flow.Page().texts.push_back({x, textTop, width, kDetailSize, false, std::u16string(name)});
        x += width + 2 * kGap;
    };
    const auto placeIcon = [&](IconStrip strip, std::uint32_t index) {
        flow.Page().icons.push_back({x, flow.Y() + (rowHeight - kIconSize) / 2, kIconSize, strip, index});
        x += kIconSize + 1;
    };
    if (const int place = ShownPlaceItem(record.place); place >= 0)
        placeName(ProgramText(IDS_PLACE_FIRST + place, language));
    if (const std::uint32_t weather = ShownWeatherIcon(record.weather); weather != 0) {
        placeIcon(IconStrip::Weather, weather);
        placeName(ProgramText(kWeatherColours[weather].name, language));
    }
    const std::uint32_t mood = ShownMoodIcon(record.mood);
    placeIcon(IconStrip::Mood, mood);
    placeName(ProgramText(kMoodColours[mood].name, language));
    flow.Advance(rowHeight + kGap);
}

// The text line by line; a line that does not fit goes to the next slot, under the
// day's title again.
void PlaceText(Flow& flow, const std::u16string& title, std::u16string_view text, TextMeasure& measure,
               ProgramLanguage language) {
    const double lineHeight = measure.LineHeight(kTextSize, false);
    for (const std::u16string_view paragraph : ParagraphsOf(text)) {
        std::vector<std::size_t> starts = measure.BreakLines(paragraph, kTextSize, flow.Width());
        starts.insert(starts.begin(), 0);
        starts.push_back(paragraph.size());
        for (std::size_t i = 0; i + 1 < starts.size(); ++i) {
            if (!flow.Fits(lineHeight)) {
                flow.NextSlot();
                PlaceTitle(flow, FillIn(ProgramText(IDS_BOOK_CONTINUED, language), {title}), kDetailSize, measure);
            }
            const std::u16string_view line = paragraph.substr(starts[i], starts[i + 1] - starts[i]);
            if (!line.empty())
                flow.Page().texts.push_back(
                    {flow.Left(), flow.Y(), flow.Width(), kTextSize, false, std::u16string(line)});
            flow.Advance(lineHeight);
        }
    }
}

// Under each page's last slot: a rule, the run of days on the left, the page on the right.
void PlaceFooters(Book& book, const std::vector<BookDay>& days, TextMeasure& measure, ProgramLanguage language) {
    const double margin = MarginOf(book.paper);
    const double width = book.paper.width - 2 * margin;
    const double rule = book.paper.height - margin - kFooterRoom + kFooterRoom / 4;
    const double top = rule + 1;
    const std::u16string run = FillIn(ProgramText(IDS_BOOK_RUN, language), {LongDateText(days.front().key, language),
                                                                            LongDateText(days.back().key, language)});
    const std::u16string count = Decimal(book.pages.size());
    for (std::size_t n = 0; n < book.pages.size(); ++n) {
        BookPage& page = book.pages[n];
        const std::u16string number = FillIn(ProgramText(IDS_BOOK_PAGE, language), {Decimal(n + 1), count});
        const double numberWidth = measure.Width(number, kFooterSize, false);
        page.lines.push_back({margin, rule, margin + width, rule});
        page.texts.push_back({margin, top, width - numberWidth - kGap, kFooterSize, false, run});
        page.texts.push_back({margin + width - numberWidth, top, numberWidth, kFooterSize, false, number});
    }
}

}  // namespace

std::u16string BookDayTitle(const DayKey& day, ProgramLanguage language) { return LongDateText(day, language); }

Book LayOutBook(const std::vector<BookDay>& days, const PaperSize& paper, bool twoPerPage, TextMeasure& measure,
                ProgramLanguage language) {
    Book book{paper, {}};
    if (days.empty()) return book;
    Flow flow(book, twoPerPage);
    const double block = PictureBlockOf(paper);
    for (std::size_t n = 0; n < days.size(); ++n) {
        const BookDay& day = days[n];
        flow.NextSlot();
        const std::u16string title = BookDayTitle(day.key, language);
        PlaceTitle(flow, title, kTitleSize, measure);
        flow.Advance(kGap / 2);
        if (day.hasRecord) PlaceDetails(flow, day.record, measure, language);
        if (!day.picture.empty()) {
            // On whole quarter points, as the block is, so every pixel lands on whole dots.
            const double quarter = 25.4 / 288;
            const double left =
                std::round((flow.Left() + (flow.Width() - kPictureWidth * block) / 2) / quarter) * quarter;
            const double top = std::round(flow.Y() / quarter) * quarter;
            flow.Page().pictures.push_back({left, top, block, n});
            flow.Advance(top - flow.Y() + kPictureHeight * block + kGap);
        }
        PlaceText(flow, title, day.record.text, measure, language);
    }
    PlaceFooters(book, days, measure, language);
    return book;
}
