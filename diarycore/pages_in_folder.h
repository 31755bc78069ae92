// Which days of the data folder hold a page, from the folder's listing alone: a day
// counts when its record ("YYYYMMDD.dbt") or its picture ("YYYYMMDD.bmp") is there.
// No file is opened, so a folder of many years is read in one pass of names.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Days as YYYYMMDD numbers, e.g. 20000229.
using DaysWithPages = std::set<std::int32_t>;

// A locked diary's day file keeps its plain name and gains this (lock/locked_names.h).
inline constexpr std::u16string_view kLockedSuffix = u".locked";

// The day a name stands for, or 0 when it is no day file: eight digits of a real date,
// a point and "dbt" or "bmp" in any case (Windows finds "20000101.BMP" as the picture),
// and for a locked day file the locked suffix, in any case too.
std::int32_t DayOfPageFileName(const std::filesystem::path& name);
// A day file's locked name ("20261207.dbt.locked").
bool IsLockedDayFileName(std::u16string_view name);

// One listing of the folder; only regular files count. A folder that cannot be listed
// gives no days.
DaysWithPages ListDaysWithPages(const std::filesystem::path& folder);

// One mask per month, starting with firstMonth of firstYear: bit d - 1 is set when
// day d of that month holds a page (the month calendar's bold days).
std::vector<std::uint32_t> MonthPageMasks(const DaysWithPages& days, std::int32_t firstYear, std::int32_t firstMonth,
                                          int monthCount);

// The day's files a diary folder holds, from one listing, kept up to date by the names
// the program writes and removes and the ones the system reports changed. Under Wine a
// name that is not there costs a read of the whole folder, whatever asks for it; the
// index answers instead. Every name that starts with eight digits is kept (records,
// pictures, recovery copies, kept originals, temporary files); others are none of the
// diary's.
class DayFileIndex {
public:
    // Lists the folder; false, with nothing known, when it cannot be listed.
    bool List(const std::filesystem::path& folder);
    bool Known() const { return known_; }
    // Nothing is known any more: the next use lists again.
    void Forget();
    // A file of this name appeared, or was written. Where the index knows the name only
    // in another letter case, whether that file was written or a second one made cannot
    // be told, and the index knows nothing until it lists again. An index that knows
    // nothing stays so, here and in Removed.
    void Added(std::u16string_view name);
    // A file went: the one of exactly this name, or else the only one the name finds in
    // another letter case, as Windows finds it. Where it finds several, which one went
    // cannot be told, and the index knows nothing until it lists again.
    void Removed(std::u16string_view name);
    // The name as the folder has it, when it holds that name in any letter case: the name
    // itself where the folder holds it as written. Asked of an index that is not known,
    // the answer is nothing.
    std::optional<std::u16string> Listed(std::u16string_view name) const;
    // A day's file by its plain name ("20261207.dbt"), as the folder has it: the plain one,
    // or else the locked one ("20261207.dbt.locked").
    std::optional<std::u16string> ListedDayFile(std::u16string_view plainName) const;
    // The days with a record or a picture.
    DaysWithPages Days() const;
    // Every name kept, as the folder has it.
    std::vector<std::u16string> Names() const;
    // Counts the listings and the names added and removed: what is known may have changed
    // only when it has.
    std::uint64_t Version() const { return version_; }

private:
    bool known_ = false;
    std::uint64_t version_ = 0;
    // In lower case -> as listed. A disk that tells letter cases apart (Linux, and Wine
    // on it) may hold "20261206.dbt" and "20261206.DBT" at once: two files, two entries.
    std::unordered_multimap<std::u16string, std::u16string> names_;
};
