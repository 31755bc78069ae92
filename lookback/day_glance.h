// One day of the diary at a glance, as the views that look back show it: whether it has
// a page, the mood and weather its page shows, whether a file of it could not be read,
// and the first words of its text. Read through the folder's index, so a day without
// files costs no question to the folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

class DayFileIndex;

struct DayMark {
    bool page = false;         // the day has a record or a picture
    bool unreadable = false;   // its record or picture is there but could not be read
    std::uint8_t mood = 0;     // as the page shows it: 0-5, 0 without a readable record
    std::uint8_t weather = 0;  // 0 (none) to 5, the same way
    bool operator==(const DayMark&) const = default;
};

struct DayGlance {
    std::int32_t day = 0;  // YYYYMMDD
    DayMark mark;
    std::u16string firstWords;      // the first line of the text that holds something, cut short
    std::filesystem::path picture;  // the picture's file as the folder names it; empty without one
};

// How many units of the first line a glance keeps, "…" included.
inline constexpr std::size_t kFirstWordsWidth = 40;

// The first line of the text that holds something, cut short as a glance keeps it.
std::u16string FirstWordsOf(std::u16string_view text);

// The day's mark (and, when asked, its first words): its record read, its picture checked.
// A day the index has no files of has no page, and nothing is read.
DayGlance GlanceAtDay(const std::filesystem::path& folder, const DayFileIndex& index, std::int32_t day, bool withWords);
