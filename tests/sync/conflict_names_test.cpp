// The conflict copies' names of each sync tool, and the names that only look like them.
#include <gtest/gtest.h>

#include "sync/conflict_names.h"

TEST(ConflictNames, EachToolsConflictCopy) {
    struct Case {
        std::u16string_view name;
        std::int32_t year, month, day;
        DayFileKind kind;
    };
    const Case cases[] = {
        {u"20261207.sync-conflict-20261207-101010-ABCDEFG.dbt", 2026, 12, 7, DayFileKind::Record},
        {u"20261207.sync-conflict-20261208-235959-7QX2M4P.bmp", 2026, 12, 7, DayFileKind::Picture},
        {u"20261207 (Anna's conflicted copy 2026-12-07).dbt", 2026, 12, 7, DayFileKind::Record},
        {u"20261207 (Anna’s conflicted copy 2026-12-07).BMP", 2026, 12, 7, DayFileKind::Picture},
        {u"20261207 (Anna (work)'s conflicted copy 2026-12-07 (2)).dbt", 2026, 12, 7, DayFileKind::Record},
        {u"20261207 (三郎's conflicted copy 2026-12-07).dbt", 2026, 12, 7, DayFileKind::Record},
        {u"20261207-LAPTOP.dbt", 2026, 12, 7, DayFileKind::Record},
        {u"20240229-DESKTOP-K3L9Q2A-2.bmp", 2024, 2, 29, DayFileKind::Picture},
        {u"20261207 (conflicted copy 2026-12-07 101010).dbt", 2026, 12, 7, DayFileKind::Record},
        {u"20261207 (Conflicted Copy 2026-12-07 101010).Bmp", 2026, 12, 7, DayFileKind::Picture},
        {u"20261207 (1).dbt", 2026, 12, 7, DayFileKind::Record},
        {u"20000101 (12).DBT", 2000, 1, 1, DayFileKind::Record},
        // A locked diary's: the mark goes before ".locked".
        {u"20261207.dbt.sync-conflict-20261207-101010-ABCDEFG.locked", 2026, 12, 7, DayFileKind::Record},
        {u"20261207.BMP (1).Locked", 2026, 12, 7, DayFileKind::Picture},
        {u"20261207.bmp-LAPTOP.locked", 2026, 12, 7, DayFileKind::Picture},
    };
    for (const Case& c : cases) {
        const std::optional<ConflictCopy> copy = RecogniseConflictCopy(c.name);
        ASSERT_TRUE(copy) << std::string(c.name.begin(), c.name.end());
        EXPECT_EQ(copy->day.year, c.year);
        EXPECT_EQ(copy->day.month, c.month);
        EXPECT_EQ(copy->day.day, c.day);
        EXPECT_EQ(copy->day.dayOfWeek, WeekdayOfDate(c.year, c.month, c.day));
        EXPECT_EQ(copy->kind, c.kind);
    }
}

TEST(ConflictNames, NamesThatAreNoConflictCopy) {
    const std::u16string_view names[] = {
        u"",
        u"20261207.dbt",
        u"20261207.BMP",  // the day files
        u"20261207.dbt~",
        u"20261207.dbt.locked",
        u"20261207.dbt.locked (1)",
        u"20261207 (1).locked",
        u"20261207.bmp.orig",
        u"20261207.dbt.damaged",  // the program's own
        u"20261207.dbt.tmp-41-7",
        u"20261207.bmp~",
        u"20261207 (1).dbt.tmp-41-7",  // a tool's name gone on
        u"20260230 (1).dbt",
        u"20261307-LAPTOP.dbt",
        u"20261200.sync-conflict-20261207-101010-ABCDEFG.dbt",
        u"2026120 (1).dbt",
        u"2026120x (1).dbt",
        u"doodlebinder.ini",
        u"20261207 (1).txt",
        u"20261207 (1).jpg",
        u"20261207 (0).dbt",
        u"20261207 (01).dbt",
        u"20261207 ().dbt",
        u"20261207 (1.dbt",
        u"20261207-12345.dbt",  // no computer is named by digits
        u"20261207-.dbt",
        u"20261207--LAPTOP.dbt",
        u"20261207-LAP TOP.dbt",
        u"20261207.sync-conflict-20261207-101010-ABCDEF.dbt",  // a short identifier
        u"20261207.sync-conflict-2026120-1010101-ABCDEFG.dbt",
        u"20261207 ('s conflicted copy 2026-12-07).dbt",  // no owner
        u"20261207 (Anna's conflicted copy 2026-12-7).dbt",
        u"20261207 (Anna's conflicted copy 2026-12-07).dbt (1)",
        u"20261207 (conflicted copy 2026-12-07).dbt",  // no time
        u"20261207 copy.dbt",
        u"20261207.dbt.dbt",
        u"x20261207 (1).dbt",
    };
    for (const std::u16string_view name : names)
        EXPECT_FALSE(RecogniseConflictCopy(name)) << std::string(name.begin(), name.end());
}
