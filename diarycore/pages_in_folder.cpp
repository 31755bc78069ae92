#include "diarycore/pages_in_folder.h"

#include <algorithm>
#include <iterator>
#include <system_error>

#include "diarycore/calendar.h"

namespace fs = std::filesystem;

namespace {

bool EndsLocked(std::u16string_view text) {
    if (text.size() < kLockedSuffix.size()) return false;
    const std::u16string_view end = text.substr(text.size() - kLockedSuffix.size());
    return std::equal(end.begin(), end.end(), kLockedSuffix.begin(),
                      [](char16_t c, char16_t lower) { return static_cast<char16_t>(c | 0x20) == lower; });
}

std::int32_t DayOfPageName(std::u16string_view text) {
    if (text.size() == 12 + kLockedSuffix.size() && EndsLocked(text)) text.remove_suffix(kLockedSuffix.size());
    if (text.size() != 12 || text[8] != u'.') return 0;
    std::int32_t number = 0;
    for (int i = 0; i < 8; ++i) {
        if (text[i] < u'0' || text[i] > u'9') return 0;
        number = number * 10 + (text[i] - u'0');
    }
    // The extension in any case, compared in place: the index asks this of every name.
    const auto lower = [&](int at) { return static_cast<char16_t>(text[at] | 0x20); };
    const bool record = lower(9) == u'd' && lower(10) == u'b' && lower(11) == u't';
    if (!record && !(lower(9) == u'b' && lower(10) == u'm' && lower(11) == u'p')) return 0;
    const std::int32_t year = number / 10000;
    const std::int32_t month = number / 100 % 100;
    const std::int32_t day = number % 100;
    if (month < 1 || month > 12 || day < 1 || static_cast<std::uint32_t>(day) > DaysInMonth(year, month)) return 0;
    return number;
}

}  // namespace

std::int32_t DayOfPageFileName(const fs::path& name) { return DayOfPageName(name.u16string()); }

bool IsLockedDayFileName(std::u16string_view name) {
    return name.size() == 12 + kLockedSuffix.size() && EndsLocked(name) && DayOfPageName(name) != 0;
}

DaysWithPages ListDaysWithPages(const fs::path& folder) {
    DaysWithPages days;
    std::error_code error;
    fs::directory_iterator entry(folder, error);
    for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
        std::error_code typeError;
        if (!entry->is_regular_file(typeError)) continue;
        if (std::int32_t day = DayOfPageFileName(entry->path().filename())) days.insert(day);
    }
    return days;
}

std::vector<std::uint32_t> MonthPageMasks(const DaysWithPages& days, std::int32_t firstYear, std::int32_t firstMonth,
                                          int monthCount) {
    std::vector<std::uint32_t> masks;
    std::int32_t year = firstYear;
    std::int32_t month = firstMonth;
    for (int i = 0; i < monthCount; ++i) {
        const std::int32_t first = year * 10000 + month * 100;
        std::uint32_t mask = 0;
        for (auto day = days.upper_bound(first); day != days.end() && *day <= first + 31; ++day) {
            mask |= 1u << (*day - first - 1);
        }
        masks.push_back(mask);
        if (++month > 12) {
            month = 1;
            ++year;
        }
    }
    return masks;
}

namespace {

std::u16string LowerAscii(std::u16string_view name) {
    std::u16string lower(name);
    for (char16_t& c : lower)
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    return lower;
}

// A name as text, when it is one a day's file can have: on POSIX systems a name is bytes,
// and one that is no text is none of the diary's. Such a name is ASCII there, and UTF-16
// on Windows, so its units are copied as they are: the system's conversion would cost a
// lifetime's diary tens of milliseconds.
std::optional<std::u16string> DayNameOf(const fs::path& name) {
    const fs::path::string_type& units = name.native();
    for (auto unit : units)
        if (static_cast<std::uint32_t>(unit) >= 0x80 && sizeof(unit) == 1) return std::nullopt;
    return std::u16string(units.begin(), units.end());
}

bool StartsWithDayDigits(std::u16string_view name) {
    if (name.size() < 9) return false;
    for (int i = 0; i < 8; ++i)
        if (name[i] < u'0' || name[i] > u'9') return false;
    return true;
}

}  // namespace

bool DayFileIndex::List(const fs::path& folder) {
    ++version_;
    names_.clear();
    std::error_code error;
    fs::directory_iterator entry(folder, error);
    known_ = !error;
    for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
        std::optional<std::u16string> name = DayNameOf(entry->path().filename());
        if (name && StartsWithDayDigits(*name)) names_.emplace(LowerAscii(*name), std::move(*name));
    }
    // A listing cut short by an error knows only part of the folder.
    if (error) Forget();
    return known_;
}

void DayFileIndex::Forget() {
    ++version_;
    known_ = false;
    names_.clear();
}

void DayFileIndex::Added(std::u16string_view name) {
    if (!known_ || !StartsWithDayDigits(name)) return;
    ++version_;
    std::u16string lower = LowerAscii(name);
    const auto [first, last] = names_.equal_range(lower);
    if (first == last) {
        names_.emplace(std::move(lower), std::u16string(name));
    } else if (std::none_of(first, last, [&](const auto& entry) { return entry.second == name; })) {
        // Known in another case only: a new file beside it on a disk that tells cases
        // apart, or the very file, which the system found by this name and wrote
        // (Windows, and Wine on any disk). Only a new listing can tell.
        Forget();
    }
}

void DayFileIndex::Removed(std::u16string_view name) {
    ++version_;
    const auto [first, last] = names_.equal_range(LowerAscii(name));
    if (first == last) return;
    const auto exact = std::find_if(first, last, [&](const auto& entry) { return entry.second == name; });
    if (exact != last)
        names_.erase(exact);
    else if (std::next(first) == last)
        names_.erase(first);
    else
        Forget();
}

std::optional<std::u16string> DayFileIndex::Listed(std::u16string_view name) const {
    const auto [first, last] = names_.equal_range(LowerAscii(name));
    if (first == last) return std::nullopt;
    const auto exact = std::find_if(first, last, [&](const auto& entry) { return entry.second == name; });
    return exact != last ? exact->second : first->second;
}

std::optional<std::u16string> DayFileIndex::ListedDayFile(std::u16string_view plainName) const {
    if (auto plain = Listed(plainName)) return plain;
    std::u16string locked(plainName);
    locked += kLockedSuffix;
    return Listed(locked);
}

DaysWithPages DayFileIndex::Days() const {
    // Put in order first: a set made from ordered days is built in one pass, where
    // tens of thousands of days inserted one by one cost a lifetime's diary tens of
    // milliseconds.
    std::vector<std::int32_t> days;
    days.reserve(names_.size());
    for (const auto& [lower, name] : names_) {
        if (std::int32_t day = DayOfPageName(lower)) days.push_back(day);
    }
    std::sort(days.begin(), days.end());
    return DaysWithPages(days.begin(), days.end());
}

std::vector<std::u16string> DayFileIndex::Names() const {
    std::vector<std::u16string> names;
    names.reserve(names_.size());
    for (const auto& entry : names_) names.push_back(entry.second);
    return names;
}
