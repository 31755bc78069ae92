// Searching the whole diary: every day of the data folder whose record text holds all
// the words, newest first. Shared by the program's Find dialog and the console's find.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "diarycore/calendar.h"

// Where a text holds all the (folded) words: the start of the earliest match of any of
// them, as an index into the text. Nothing when a word is missing or there are none.
std::optional<std::size_t> FindWords(std::u16string_view text, const std::vector<std::u16string>& words);

// The line of `text` around index `at`, without its line break, tabs as blanks.
struct TextLine {
    std::u16string text;
    std::size_t at = 0;  // `at` within the line
};
TextLine LineAround(std::u16string_view text, std::size_t at);

// At most `width` units of the line around `at`, with "…" where it was cut, so that a
// match far into a long line is still seen in a narrow list.
std::u16string LineExcerpt(const TextLine& line, std::size_t width);

struct SearchHit {
    DayKey day;              // with its day of week, worked out from the date
    std::uint8_t place = 0;  // the stored place index, in range or not
    TextLine line;           // the line of the first match
};

// Days as YYYYMMDD numbers, both ends included.
struct DayRange {
    std::int32_t first = 0;
    std::int32_t last = 99999999;
};

// The records of a folder, read once and folded, so that a search as the words change
// costs no file opening (thousands of records take a second to open under Wine).
struct DiaryEntry {
    std::int32_t day = 0;  // YYYYMMDD
    std::uint8_t place = 0;
    std::u16string text;
    std::u16string folded;  // FoldForSearch(text)
};

struct DiaryRecords {
    bool folderListed = false;        // false: the folder itself could not be read
    std::vector<DiaryEntry> entries;  // newest first
    int unreadableDays = 0;           // records there that could not be read, or are no day record
};

// Reads every record of `folder` in `range` with the page's record reader. Records that
// cannot be read or are no day record are left out and counted.
DiaryRecords ReadDiaryRecords(const std::filesystem::path& folder, DayRange range = {});
// The same for the names of the folder a listing the caller keeps has found.
DiaryRecords ReadDiaryRecords(const std::filesystem::path& folder, const std::vector<std::u16string>& names,
                              DayRange range = {});

// Puts the page on show in place of its day's stored record, as the user sees it with
// changes not yet saved; a page without text is no entry. Its text is folded here.
void PutPageOnShow(DiaryRecords& records, DiaryEntry page);

struct DiarySearch {
    bool folderListed = false;
    std::vector<SearchHit> hits;  // newest first
    int unreadableDays = 0;
};

// The days holding all the words; an empty word list finds nothing.
DiarySearch SearchDiary(const DiaryRecords& records, const std::vector<std::u16string>& words);
// Reads the folder's records and searches them.
DiarySearch SearchDiary(const std::filesystem::path& folder, const std::vector<std::u16string>& words,
                        DayRange range = {});

// The place code a hit shows, or "" for an index outside the list.
std::u16string_view PlaceCodeText(std::uint8_t place);
