// The day record file "%04d%02d%02d.dbt": a page's text, weather, mood and place.
//
//   offset  size   field
//   0       2      "DN" (0x44 0x4E)
//   2       1      text offset n; 6 in a record written fresh
//   3       1      weather index (0 none, 1-5)
//   4       1      mood index (0-5)
//   5       1      place index (0-7 in the place list; 255 when none was selected)
//   6       n - 6  further header bytes from another version, written back as read
//   n       ...    the text in code page 932, CR LF line breaks, then one NUL
//   ...     ...    only when the text holds characters code page 932 has not: "DBU8",
//                  the whole text in UTF-8, one NUL
//
// There is no length field: the text runs to the first NUL or the end of the file. The
// handheld reads no further, so the text in any script rides after it; it is taken only
// while its code page 932 form is the record's text, so a page the handheld changed
// later shows the handheld's text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct DayRecord {
    std::uint8_t weather = 0;
    std::uint8_t mood = 0;
    std::uint8_t place = 0;
    // Bytes 6 to n - 1, so the text offset is 6 + extraHeader.size(). At most 249 bytes
    // fit the one-byte offset; any further ones are not written.
    std::vector<std::uint8_t> extraHeader;
    std::u16string text;
};

enum class RecordStatus {
    Ok,
    NoMagic,  // not a day record (fewer than two bytes included); the record is the empty page
};

// Reads whatever a file holds without reading outside it. A damaged record is read
// as far as it goes: a text offset below 6 gives the header bytes that exist before
// it (the rest 0) and no extra header, so the record is written back with offset 6;
// an offset past the end keeps the header bytes present, the missing ones as 0, and
// an empty text; a text without NUL runs to the end of the file. Weather, mood and
// place are kept as stored, in range or not.
RecordStatus ParseRecord(std::span<const std::uint8_t> bytes, DayRecord& out);

// A text with characters code page 932 has not is written as the handheld can read it,
// those characters as "?" (see codepage.h), and whole after it, so nothing is lost.
struct RecordBytes {
    std::vector<std::uint8_t> bytes;
};

RecordBytes SerializeRecord(const DayRecord& record);

// What a page shows for the indexes of a loaded record. Out-of-range values stay in
// the record; the page shows weather or mood icon 0 and no place for them.
std::uint32_t ShownWeatherIcon(std::uint8_t weather);
std::uint32_t ShownMoodIcon(std::uint8_t mood);
int ShownPlaceItem(std::uint8_t place);  // -1: no selection

// Texts longer than this many UTF-16 units make SaveDay ask whether to cut them.
constexpr std::size_t kRecordTextLimit = 10000;

// The first kRecordTextLimit units, one fewer when the cut would split a surrogate pair.
std::u16string_view CutRecordText(std::u16string_view text);
