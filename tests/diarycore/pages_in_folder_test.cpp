// The calendar's bold days: which files count as a page, and masks across a year's end.
#include "diarycore/pages_in_folder.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace {

TEST(PagesFolder, BoldDaysAcrossAMonthAndAYearBoundary) {
    const ScratchFolder folder;
    std::filesystem::create_directories(folder / "20000110.bmp");   // a folder is no picture
    std::filesystem::create_directories(folder / "19991215");
    WriteFileText(folder / "19991215" / "19991215.dbt", "x");   // pages are not looked for below
    // Pages in either case of extension, and names that are no day's page.
    for (const char* name : {"19991130.dbt", "19991201.BMP", "19991231.dbt", "19991231.bmp", "20000101.Dbt",
                             "20000131.bmp", "20000201.dbt", "20000229.bmp", "20000301.dbt", "mydiary.html",
                             "20000115.jpg", "20000230.dbt", "19000229.dbt", "20001300.bmp", "20000100.bmp",
                             "20000101.bmpx", "2000010.bmp", "x20000101.bmp", "2000-1-1.bmp", "20000101bmp",
                             "20000101.dbt~", "20000101.bmp.orig", "20000131.dbt.damaged", "DoodBind.exe"})
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

}  // namespace
