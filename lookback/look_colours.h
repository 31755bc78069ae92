// The colours the views that look back paint days in, and the names their legends give
// them: one table, for the program's Year view and the console's year command alike. The
// colours are those of Okabe and Ito's palette, which people with the common colour-vision
// deficiencies (red-green in both its forms, and blue-yellow) tell apart; the greys differ
// in lightness alone. A day that could not be read keeps its colour and carries a mark.
#pragma once

#include <array>
#include <cstdint>

#include "lookback/day_glance.h"
#include "resources/resource.h"

struct LookColour {
    std::uint8_t red, green, blue;
    int name;  // the id of its name in the program's texts
};

// In the order of the mood menu (0 = happy ... 5 = embarrassed).
inline constexpr std::array<LookColour, 6> kMoodColours = {{
    {0xF0, 0xE4, 0x42, IDS_MOOD_HAPPY},        // yellow
    {0x00, 0x9E, 0x73, IDS_MOOD_NORMAL},       // bluish green
    {0x56, 0xB4, 0xE9, IDS_MOOD_DOWN},         // sky blue
    {0x00, 0x72, 0xB2, IDS_MOOD_SAD},          // blue
    {0xD5, 0x5E, 0x00, IDS_MOOD_MAD},          // vermilion
    {0xCC, 0x79, 0xA7, IDS_MOOD_EMBARRASSED},  // reddish purple
}};

// The weather index: 0 is no weather chosen, 1-5 the weather menu.
inline constexpr std::array<LookColour, 6> kWeatherColours = {{
    {0xBB, 0xBB, 0xBB, IDS_LOOK_NO_WEATHER},  // light grey
    {0xE6, 0x9F, 0x00, IDS_WEATHER_FINE},     // orange
    {0x77, 0x77, 0x77, IDS_WEATHER_CLOUD},    // dark grey
    {0x00, 0x72, 0xB2, IDS_WEATHER_RAIN},     // blue
    {0x56, 0xB4, 0xE9, IDS_WEATHER_SNOW},     // sky blue
    {0xF0, 0xE4, 0x42, IDS_WEATHER_THUNDER},  // yellow
}};

inline constexpr LookColour kNoPageColour = {0xFF, 0xFF, 0xFF, IDS_LOOK_NO_PAGE};  // white, in a grey outline
inline constexpr LookColour kOutlineColour = {0x99, 0x99, 0x99, 0};
inline constexpr LookColour kUnreadableMark = {0x00, 0x00, 0x00, IDS_LOOK_UNREADABLE};  // black, over the day

enum class ColourBy { Mood, Weather };

// The colour a day is painted in.
const LookColour& DayColour(const DayMark& mark, ColourBy by);

// The colours the legend names, in its order: the six moods (or the weathers, no weather
// first), then no page.
std::array<LookColour, 7> LegendColours(ColourBy by);
