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
#include "platform/win32/shown_language.h"
#endif

namespace {

// Every id of the list, as the list itself names them.
constexpr int kTextIds[] = {
#define PROGRAM_TEXT(id, japanese, english) id,
#include "resources/program_texts.inc"
#undef PROGRAM_TEXT
};

// The %1 ... %9 a text holds, in order of number.
std::set<char16_t> Placeholders(std::u16string_view text) {
    std::set<char16_t> numbers;
    for (std::size_t at = 0; at + 1 < text.size(); ++at)
        if (text[at] == u'%' && text[at + 1] >= u'1' && text[at + 1] <= u'9') numbers.insert(text[at + 1]);
    return numbers;
}

// Every text is there, once, in both languages with the same parts to fill in, and each
// language's string table holds the list's words byte for byte: Japanese, blanks at the
// ends, line breaks and quotes are where a resource compiler errs.
TEST(ProgramTexts, BothStringTablesHoldTheListsWords) {
    std::set<int> seen;
    for (int id : kTextIds) {
        EXPECT_TRUE(seen.insert(id).second) << "two texts share the id " << id;
        const std::u16string_view japanese = ProgramText(id, ProgramLanguage::Japanese);
        const std::u16string_view english = ProgramText(id, ProgramLanguage::English);
        EXPECT_FALSE(japanese.empty() || english.empty()) << "text " << id;
        // A date's pattern takes of its parts the ones its language writes.
        if (id != IDS_DATE_LONG && id != IDS_DATE_MONTH) {
            EXPECT_EQ(Placeholders(japanese), Placeholders(english)) << "text " << id;
        }
#ifdef _WIN32
        for (ProgramLanguage language : {ProgramLanguage::Japanese, ProgramLanguage::English}) {
            ShowLanguage(language);
            EXPECT_EQ(LoadText(GetModuleHandleW(nullptr), id), ProgramText(id, language))
                << "string table, text " << id;
        }
#endif
    }
    EXPECT_EQ(ProgramText(IDS_CAPTION_CONFIRM, ProgramLanguage::Japanese), u"確認");
    EXPECT_EQ(ProgramText(IDS_OVERWRITE_QUESTION, ProgramLanguage::Japanese), u"Overwrite File?   \n        ");
    EXPECT_EQ(ProgramText(IDS_WEATHER_FINE, ProgramLanguage::English), u"Sunny");
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
