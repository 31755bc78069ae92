#include "lookback/look_colours.h"

const LookColour& DayColour(const DayMark& mark, ColourBy by) {
    if (!mark.page) return kNoPageColour;
    // The mark holds what the page shows, always in range.
    return by == ColourBy::Mood ? kMoodColours[mark.mood % 6] : kWeatherColours[mark.weather % 6];
}

std::array<LookColour, 7> LegendColours(ColourBy by) {
    const std::array<LookColour, 6>& table = by == ColourBy::Mood ? kMoodColours : kWeatherColours;
    return {table[0], table[1], table[2], table[3], table[4], table[5], kNoPageColour};
}
