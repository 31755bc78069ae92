#include "cli/year_svg.h"

#include <cstdio>

#include "diarycore/date_words.h"
#include "platform/program_texts.h"
#include "platform/utf8.h"

namespace {

constexpr int kSquare = 16;
constexpr int kStep = 18;                     // a square and the gap after it
constexpr int kGridLeft = 32, kGridTop = 62;  // room for the month numbers and day numbers
constexpr int kLegendLeft = kGridLeft + 31 * kStep + 24;
constexpr int kWidth = kLegendLeft + 170;
constexpr int kHeight = kGridTop + 12 * kStep + 16;

std::string Escaped(std::u16string_view text) {
    std::string out;
    for (const char c : EncodeUtf8(text)) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c; break;
        }
    }
    return out;
}

std::string Number(int value) { return std::to_string(value); }

std::string Square(int x, int y, const LookColour& colour, const std::string& title) {
    return "<rect x=\"" + Number(x) + "\" y=\"" + Number(y) + "\" width=\"" + Number(kSquare) + "\" height=\"" +
           Number(kSquare) + "\" fill=\"" + ColourText(colour) + "\"><title>" + title + "</title></rect>\n";
}

// A cross over a square, which lets the pointer through to the square's tooltip.
std::string Mark(int x, int y) {
    return "<path d=\"M" + Number(x + 3) + " " + Number(y + 3) + "l10 10m0 -10l-10 10\" stroke=\"" +
           ColourText(kUnreadableMark) + "\" stroke-width=\"2\" pointer-events=\"none\"/>\n";
}

std::string Label(int x, int y, const std::string& text, const char* anchor = "start") {
    return "<text x=\"" + Number(x) + "\" y=\"" + Number(y) + "\" text-anchor=\"" + anchor + "\">" + text + "</text>\n";
}

}  // namespace

std::string ColourText(const LookColour& colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", colour.red, colour.green, colour.blue);
    return text;
}

std::string YearSvg(const YearOfPages& year, const YearFigures& figures, ColourBy by, ProgramLanguage language,
                    int firstWeekday) {
    const auto Text = [language](int id) { return Escaped(ProgramText(id, language)); };
    const auto Filled = [language](int id, int value) {
        const std::string digits = Number(value);
        return Escaped(FillIn(ProgramText(id, language), {std::u16string(digits.begin(), digits.end())}));
    };
    std::string svg =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
        Number(kWidth) + "\" height=\"" + Number(kHeight) + "\" viewBox=\"0 0 " + Number(kWidth) + " " +
        Number(kHeight) + "\" font-family=\"sans-serif\" font-size=\"11\">\n";
    const std::string title = Text(IDS_CAPTION_PROGRAM) + " " + Number(year.year);
    svg += "<title>" + title + "</title>\n<rect width=\"100%\" height=\"100%\" fill=\"#FFFFFF\"/>\n";
    svg +=
        "<text x=\"" + Number(kGridLeft) + "\" y=\"26\" font-size=\"18\" font-weight=\"bold\">" + title + "</text>\n";

    svg += "<g fill=\"#333333\">\n";
    for (int day = 1; day <= 31; ++day)
        svg += Label(kGridLeft + (day - 1) * kStep + kSquare / 2, kGridTop - 6, Number(day), "middle");
    for (int month = 1; month <= 12; ++month) {
        const std::string name = Escaped(MonthWord(month, language));
        svg += "<g><title>" + name + "</title>" +
               Label(kGridLeft - 6, kGridTop + (month - 1) * kStep + 12, Number(month), "end") + "</g>\n";
    }
    // Every square has an outline, from its group: a white one needs it to be seen.
    svg += "</g>\n<g stroke=\"" + ColourText(kOutlineColour) + "\" stroke-width=\"1\">\n";
    for (int month = 1; month <= 12; ++month) {
        const auto length = static_cast<int>(DaysInMonth(year.year, month));
        for (int day = 1; day <= length; ++day) {
            const DayMark& mark = year.At(month, day);
            const LookColour& colour = DayColour(mark, by);
            const DayKey key{year.year, month, day, WeekdayOfDate(year.year, month, day)};
            std::string tip = Escaped(LongDateText(key, language)) + " " + Text(colour.name);
            if (mark.unreadable) tip += "; " + Text(kUnreadableMark.name);
            const int x = kGridLeft + (day - 1) * kStep, y = kGridTop + (month - 1) * kStep;
            svg += Square(x, y, colour, tip);
            if (mark.unreadable) svg += Mark(x, y);
        }
    }
    svg += "</g>\n";
    // A bar in the gap before each day that starts a week, the 1st of a month aside.
    svg += "<g stroke=\"#333333\" stroke-width=\"1\">\n";
    for (int month = 1; month <= 12; ++month) {
        const auto length = static_cast<int>(DaysInMonth(year.year, month));
        for (int day = 2; day <= length; ++day) {
            if (WeekdayOfDate(year.year, month, day) != firstWeekday) continue;
            svg += "<path d=\"M" + Number(kGridLeft + (day - 1) * kStep - 1) + " " +
                   Number(kGridTop + (month - 1) * kStep) + "v" + Number(kSquare) + "\"/>\n";
        }
    }
    svg += "</g>\n";

    // The legend beside the grid, then the figures.
    int y = kGridTop;
    svg += "<g stroke=\"" + ColourText(kOutlineColour) + "\" stroke-width=\"1\">\n";
    for (const LookColour& colour : LegendColours(by)) {
        svg += Square(kLegendLeft, y, colour, Text(colour.name));
        y += kStep;
    }
    svg += Square(kLegendLeft, y, kNoPageColour, Text(kUnreadableMark.name)) + Mark(kLegendLeft, y) + "</g>\n";
    svg += "<g fill=\"#333333\">\n";
    for (int row = 0; row < 8; ++row) {
        const int name = row < 7 ? LegendColours(by)[row].name : kUnreadableMark.name;
        svg += Label(kLegendLeft + kSquare + 6, kGridTop + row * kStep + 12, Text(name));
    }
    y += kStep + 18;
    svg += Label(kLegendLeft, y, Filled(IDS_LOOK_PAGES, figures.pages));
    svg += Label(kLegendLeft, y + 16, Filled(IDS_LOOK_CURRENT_STREAK, figures.currentStreak));
    svg += Label(kLegendLeft, y + 32, Filled(IDS_LOOK_LONGEST_STREAK, figures.longestStreak));
    svg += "</g>\n</svg>\n";
    return svg;
}
