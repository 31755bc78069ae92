// The program's texts by id, in the list the portable code reads and, under Windows, in
// the resources' string table.
#include <gtest/gtest.h>

#include <set>
#include <string_view>

#include "platform/program_texts.h"
#include "resources/resource.h"
#include "version.h"
#ifdef _WIN32
#include "platform/win32/loaded_text.h"
#endif

namespace {

// Every id of the list, as the list itself names them.
constexpr int kTextIds[] = {
#define PROGRAM_TEXT(id, japanese, english) id,
#include "resources/program_texts.inc"
#undef PROGRAM_TEXT
};

// Every text is there, once, and the string table holds the list's words byte for byte:
// Japanese, blanks at the ends, line breaks and quotes are where a resource compiler errs.
TEST(ProgramTexts, TheStringTableHoldsTheListsWords) {
    std::set<int> seen;
    for (int id : kTextIds) {
        EXPECT_TRUE(seen.insert(id).second) << "two texts share the id " << id;
        EXPECT_FALSE(ProgramText(id).empty()) << "text " << id;
#ifdef _WIN32
        EXPECT_EQ(LoadText(GetModuleHandleW(nullptr), id), ProgramText(id)) << "string table, text " << id;
#endif
    }
    EXPECT_EQ(ProgramText(IDS_CAPTION_CONFIRM), u"確認");
    EXPECT_EQ(ProgramText(IDS_OVERWRITE_QUESTION), u"Overwrite File?   \n        ");
    EXPECT_EQ(ProgramText(IDS_WINDOW_TITLE), u"Doodlebinder v" DOODLE_VERSION_TEXT);
}

// Each part goes in once, where its number stands, and is not read again for numbers.
TEST(ProgramTexts, FillInPutsEachPartWhereItsNumberStands) {
    EXPECT_EQ(FillIn(u"%1 could not be saved: %2.", {u"50%2.dbt", u"why"}), u"50%2.dbt could not be saved: why.");
    EXPECT_EQ(FillIn(u"%2 before %1", {u"one", u"two"}), u"two before one");
    EXPECT_EQ(FillIn(u"%1 and %1", {u"a"}), u"a and a");
    EXPECT_EQ(FillIn(u"100% sure, %3 %9 %0 %", {u"a", u"b"}), u"100% sure, %3 %9 %0 %");
}

}  // namespace
