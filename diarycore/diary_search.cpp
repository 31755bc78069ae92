#include "diarycore/diary_search.h"

#include <algorithm>
#include <functional>
#include <map>
#include <system_error>

#include "diarycore/codepage.h"
#include "diarycore/pages_in_folder.h"
#include "diarycore/place_codes.h"
#include "diarycore/record.h"
#include "diarycore/record_file.h"
#include "diarycore/search_folding.h"

namespace fs = std::filesystem;

std::optional<std::size_t> FindWords(std::u16string_view text, const std::vector<std::u16string>& words) {
    if (words.empty()) return std::nullopt;
    std::size_t first = text.size();
    for (const std::u16string& word : words) {
        const std::size_t found = text.find(word);
        if (found == std::u16string_view::npos) return std::nullopt;
        first = std::min(first, found);
    }
    return first;
}

TextLine LineAround(std::u16string_view text, std::size_t at) {
    at = std::min(at, text.size());
    const std::size_t lineBreak = text.find_last_of(u"\r\n", at == 0 ? 0 : at - 1);
    const std::size_t start = at == 0 || lineBreak == std::u16string_view::npos ? 0 : lineBreak + 1;
    std::size_t end = text.find_first_of(u"\r\n", start);
    if (end == std::u16string_view::npos) end = text.size();
    TextLine line{std::u16string(text.substr(start, end - start)), at - start};
    std::replace(line.text.begin(), line.text.end(), u'\t', u' ');
    return line;
}

std::u16string LineExcerpt(const TextLine& line, std::size_t width) {
    width = std::max<std::size_t>(width, 3);
    if (line.text.size() <= width) return line.text;
    // A third of the room before the match, the rest after it.
    std::size_t start = line.at > width / 3 ? line.at - width / 3 : 0;
    start = std::min(start, line.text.size() - (width - 1));
    if (start > 0 && IsLowSurrogate(line.text[start])) ++start;
    const bool cutFront = start > 0;
    const std::size_t room = width - (cutFront ? 1 : 0);
    const bool cutBack = line.text.size() - start > room;
    std::size_t length = cutBack ? room - 1 : line.text.size() - start;
    if (cutBack && length > 0 && IsHighSurrogate(line.text[start + length - 1])) --length;
    std::u16string excerpt = cutFront ? u"…" : u"";
    excerpt += line.text.substr(start, length);
    if (cutBack) excerpt += u"…";
    return excerpt;
}

std::u16string_view PlaceCodeText(std::uint8_t place) {
    const int item = ShownPlaceItem(place);
    return item < 0 ? std::u16string_view() : kPlaceCodes[item];
}

DiaryRecords ReadDiaryRecords(const fs::path& folder, DayRange range) {
    std::error_code error;
    fs::directory_iterator entry(folder, error);
    if (error) return {};
    std::vector<std::u16string> names;
    for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
        const fs::path name = entry->path().filename();
        // Day names are ASCII. Other names are passed over as the bytes they are: on
        // Linux a name that is no UTF-8 has no UTF-16 form to look at.
        const fs::path::string_type& bytes = name.native();
        if (std::none_of(bytes.begin(), bytes.end(),
                         [](auto unit) { return static_cast<std::uint32_t>(unit) >= 0x80; }))
            names.push_back(name.u16string());
    }
    return ReadDiaryRecords(folder, names, range);
}

DiaryRecords ReadDiaryRecords(const fs::path& folder, const std::vector<std::u16string>& names, DayRange range) {
    DiaryRecords records;
    records.folderListed = true;
    // The names as listed: a record may be called "20000101.DBT", or be locked
    // ("20000101.dbt.locked"). Where a folder that tells case apart holds two, the one the
    // program writes is read; where it holds a plain and a locked one, the plain name,
    // which the store reads as the locked one while the diary is open.
    std::map<std::int32_t, fs::path, std::greater<>> paths;
    for (const std::u16string& text : names) {
        const fs::path name(text);
        const std::int32_t day = DayOfPageFileName(name);
        if (day == 0 || day < range.first || day > range.last) continue;
        const bool locked = IsLockedDayFileName(text);
        const std::u16string_view extension = std::u16string_view(text).substr(8, 4);
        if ((extension[1] | 0x20) != u'd' || (extension[2] | 0x20) != u'b' || (extension[3] | 0x20) != u't') continue;
        auto [at, added] = paths.try_emplace(day, folder / name);
        if (added) continue;
        const bool heldLocked = IsLockedDayFileName(at->second.filename().u16string());
        if (heldLocked && !locked) at->second = folder / name;
        if (heldLocked == locked && extension == u".dbt") at->second = folder / name;
    }

    records.entries.reserve(paths.size());
    for (const auto& [day, path] : paths) {
        RecordFile file = ReadRecordFile(path);
        if (file.status != RecordFileStatus::Ok) {
            ++records.unreadableDays;
            continue;
        }
        std::u16string folded = FoldForSearch(file.record.text);
        records.entries.push_back({day, file.record.place, std::move(file.record.text), std::move(folded)});
    }
    return records;
}

void PutPageOnShow(DiaryRecords& records, DiaryEntry page) {
    std::vector<DiaryEntry>& entries = records.entries;
    // Newest first: the first entry not newer than the page is its day's, or the place for it.
    auto at =
        std::find_if(entries.begin(), entries.end(), [&](const DiaryEntry& entry) { return entry.day <= page.day; });
    if (at != entries.end() && at->day == page.day) at = entries.erase(at);
    if (page.text.empty()) return;
    page.folded = FoldForSearch(page.text);
    entries.insert(at, std::move(page));
}

DiarySearch SearchDiary(const DiaryRecords& records, const std::vector<std::u16string>& words) {
    DiarySearch search{records.folderListed, {}, records.unreadableDays};
    std::vector<std::uint32_t> origins;
    for (const DiaryEntry& entry : records.entries) {
        const std::optional<std::size_t> at = FindWords(entry.folded, words);
        if (!at) continue;
        // Folded again, with the way back to the text, only for the days found.
        FoldForSearch(entry.text, &origins);
        const std::size_t original = *at < origins.size() ? origins[*at] : entry.text.size();
        search.hits.push_back({DayKeyOfNumber(entry.day), entry.place, LineAround(entry.text, original)});
    }
    return search;
}

DiarySearch SearchDiary(const fs::path& folder, const std::vector<std::u16string>& words, DayRange range) {
    return SearchDiary(ReadDiaryRecords(folder, range), words);
}
