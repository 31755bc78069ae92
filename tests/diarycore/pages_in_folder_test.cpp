// The calendar's bold days: which files count as a page, and masks across a year's end.
#include "diarycore/pages_in_folder.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/scratch_files.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::u16string> SortedNames(const DayFileIndex& index) {
    std::vector<std::u16string> names = index.Names();
    std::sort(names.begin(), names.end());
    return names;
}

// What a new listing of the folder finds; the index kept by its changes must say the same.
std::vector<std::u16string> ListedAfresh(const fs::path& folder) {
    DayFileIndex fresh;
    EXPECT_TRUE(fresh.List(folder));
    return SortedNames(fresh);
}

TEST(PagesFolder, BoldDaysAcrossAMonthAndAYearBoundary) {
    const ScratchFolder folder;
    std::filesystem::create_directories(folder / "20000110.bmp");  // a folder is no picture
    std::filesystem::create_directories(folder / "19991215");
    WriteFileText(folder / "19991215" / "19991215.dbt", "x");  // pages are not looked for below
    // Pages in either case of extension, and names that are no day's page.
    for (const char* name :
         {"19991130.dbt", "19991201.BMP", "19991231.dbt",  "19991231.bmp",      "20000101.Dbt",         "20000131.bmp",
          "20000201.dbt", "20000229.bmp", "20000301.dbt",  "mydiary.html",      "20000115.jpg",         "20000230.dbt",
          "19000229.dbt", "20001300.bmp", "20000100.bmp",  "20000101.bmpx",     "2000010.bmp",          "x20000101.bmp",
          "2000-1-1.bmp", "20000101bmp",  "20000101.dbt~", "20000101.bmp.orig", "20000131.dbt.damaged", "DoodBind.exe"})
        WriteFileText(folder / name, "x");
    const DaysWithPages days = ListDaysWithPages(folder.Path());
    EXPECT_EQ(days, (DaysWithPages{19991130, 19991201, 19991231, 20000101, 20000131, 20000201, 20000229, 20000301}));

    // December to February, as a calendar showing three months asks for them.
    EXPECT_EQ(MonthPageMasks(days, 1999, 12, 3),
              (std::vector<std::uint32_t>{1u << 0 | 1u << 30, 1u << 0 | 1u << 30, 1u << 0 | 1u << 28}));
    EXPECT_EQ(MonthPageMasks(days, 1999, 11, 1), (std::vector<std::uint32_t>{1u << 29}));
    EXPECT_EQ(MonthPageMasks(days, 2000, 4, 2), (std::vector<std::uint32_t>{0, 0}));
    EXPECT_TRUE(MonthPageMasks(days, 2000, 1, 0).empty());

    EXPECT_TRUE(ListDaysWithPages(folder / "missing").empty());
    EXPECT_TRUE(ListDaysWithPages(folder / "mydiary.html").empty());
}

// On a disk that tells letter cases apart, "20261206.dbt" and "20261206.DBT" are two files:
// the index keeps both, names each as it is asked for, and forgets only the one that goes;
// a name in another case still finds a file of that name. After every change, the index
// says what a new listing says, or that it must list again: it never loses a file nor
// names one that is not there.
TEST(DayFileIndex, KeepsNamesThatDifferOnlyInLetterCaseApart) {
    const ScratchFolder folder;
    WriteFileText(folder / "20261206.dbt", "lower");
    WriteFileText(folder / "20261206.DBT", "upper");
    WriteFileText(folder / "20261207.BMP", "picture");
    if (NamesIn(folder.Path()).size() != 3) GTEST_SKIP() << "this disk folds letter case";
    DayFileIndex index;
    const auto agrees = [&] { return SortedNames(index) == ListedAfresh(folder.Path()); };
    const auto listAgain = [&] {
        EXPECT_FALSE(index.Known());
        EXPECT_TRUE(index.Names().empty() && !index.Listed(u"20261206.dbt"));
        ASSERT_TRUE(index.List(folder.Path()));
    };

    ASSERT_TRUE(index.List(folder.Path()));
    EXPECT_EQ(SortedNames(index), (std::vector<std::u16string>{u"20261206.DBT", u"20261206.dbt", u"20261207.BMP"}));
    EXPECT_EQ(index.Listed(u"20261206.dbt"), u"20261206.dbt");
    EXPECT_EQ(index.Listed(u"20261206.DBT"), u"20261206.DBT");
    const std::optional<std::u16string> either = index.Listed(u"20261206.Dbt");
    EXPECT_TRUE(either == u"20261206.dbt" || either == u"20261206.DBT");
    EXPECT_EQ(index.Listed(u"20261207.bmp"), u"20261207.BMP");

    // The capitals go: the day keeps its record, and the name finds the other.
    fs::remove(folder / "20261206.DBT");
    index.Removed(u"20261206.DBT");
    EXPECT_TRUE(agrees());
    EXPECT_EQ(index.Listed(u"20261206.DBT"), u"20261206.dbt");
    EXPECT_EQ(index.Days(), (DaysWithPages{20261206, 20261207}));

    // A name it has, told again, changes nothing.
    index.Added(u"20261206.dbt");
    EXPECT_TRUE(index.Known() && agrees());

    // They come back. Told by that name alone, a second file cannot be told from the
    // first one written again by a system that finds names in any case.
    WriteFileText(folder / "20261206.DBT", "upper again");
    index.Added(u"20261206.DBT");
    listAgain();
    EXPECT_TRUE(agrees());
    WriteFileText(folder / "20261207.BMP", "drawn again");  // written as "20261207.bmp" under Wine
    index.Added(u"20261207.bmp");
    listAgain();
    EXPECT_EQ(index.Listed(u"20261207.bmp"), u"20261207.BMP");

    // A file removed by a name in another case, as Windows removes it, is forgotten.
    fs::remove(folder / "20261207.BMP");
    index.Removed(u"20261207.bmp");
    EXPECT_TRUE(index.Known() && agrees());
    EXPECT_EQ(index.Days(), DaysWithPages{20261206});

    // Which of two others such a name removed cannot be told.
    fs::remove(folder / "20261206.dbt");
    index.Removed(u"20261206.Dbt");
    listAgain();
    EXPECT_EQ(index.Listed(u"20261206.dbt"), u"20261206.DBT");
}

}  // namespace
